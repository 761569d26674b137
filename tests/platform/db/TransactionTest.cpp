#include "DbFixture.h"

#include "platform/db/Transaccion.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using dbtest::DbFixture;
using dbtest::errorOf;
using dbtest::RawConnection;

namespace {

TEST_F(DbFixture, RollbackLeavesTheOldRows)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2011"), QStringLiteral("700"));
    db_->BeginTrans();
    db_->Execute(QStringLiteral("DELETE FROM F0947_PTCEA"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"));
    rs->AddNew();
    rs->Fields(0) = 6;
    rs->Fields(1) = QStringLiteral("20000000001");
    rs->Fields(4) = QStringLiteral("2012");
    rs->Update();
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 1);
    db_->Rollback();
    auto back = db_->OpenRecordset(QStringLiteral("SELECT Anho, Importe FROM F0947_PTCEA"), dao::dbOpenSnapshot);
    ASSERT_EQ(back->RecordCount(), 1);
    EXPECT_EQ(back->Fields(0).Value().toText(), QStringLiteral("2011"));
    EXPECT_EQ(back->Fields(1).Value().toText(), QStringLiteral("700"));
}

TEST_F(DbFixture, NestedTransactionsCommitOnlyWithTheOutermost)
{
    db_->BeginTrans();
    addLoss(QStringLiteral("1"), QStringLiteral("2010"), QStringLiteral("1"));
    db_->BeginTrans();
    addLoss(QStringLiteral("1"), QStringLiteral("2011"), QStringLiteral("1"));
    db_->Rollback();   // the inner work only
    db_->BeginTrans();
    addLoss(QStringLiteral("1"), QStringLiteral("2012"), QStringLiteral("1"));
    db_->CommitTrans();
    EXPECT_EQ(db_->TransactionLevel(), 1);
    {
        // Nothing is visible to another program before the outer commit.
        auto other = dao::Database::Open(path_);
        EXPECT_EQ(other->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"), dao::dbOpenSnapshot)
                      ->RecordCount(),
                  0);
    }
    db_->CommitTrans();
    auto other = dao::Database::Open(path_);
    auto rs = other->OpenRecordset(QStringLiteral("SELECT Anho FROM F0947_PTCEA ORDER BY Anho"), dao::dbOpenSnapshot);
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("2010"));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("2012"));
}

TEST_F(DbFixture, CommitOrRollbackWithoutATransactionIs3034)
{
    EXPECT_EQ(errorOf([&] { db_->CommitTrans(); }), 3034);
    EXPECT_EQ(errorOf([&] { db_->Rollback(); }), 3034);
    db_->BeginTrans();
    db_->CommitTrans();
    EXPECT_EQ(errorOf([&] { db_->CommitTrans(); }), 3034);
}

TEST_F(DbFixture, CloseRollsBackAnOpenTransaction)
{
    db_->BeginTrans();
    addLoss(QStringLiteral("1"), QStringLiteral("2010"), QStringLiteral("1"));
    db_->Close();
    db_ = dao::Database::Open(path_);
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 0);
}

TEST_F(DbFixture, WriterOfAnotherConnectionMakesBeginWaitThenFail)
{
    RawConnection other(path_);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(other.exec("INSERT INTO CONT (DOC_ID_D) VALUES ('1')"), SQLITE_OK);
    // Readers still see the committed state meanwhile.
    EXPECT_EQ(count(QStringLiteral("CONT")), 0);
    EXPECT_EQ(errorOf([&] { db_->BeginTrans(); }), 3051);
    EXPECT_EQ(db_->TransactionLevel(), 0);
    other.exec("COMMIT");
    db_->BeginTrans();
    db_->Execute(QStringLiteral("INSERT INTO CONT (DOC_ID_D) VALUES ('2')"));
    db_->CommitTrans();
    EXPECT_EQ(count(QStringLiteral("CONT")), 2);
}


// The version of the contents moves with every change a reader of this connection could
// see, whoever made it, and with nothing else; inside a transaction there is none to keep.
TEST_F(DbFixture, ContentVersionMovesWithEveryVisibleChange)
{
    const std::optional<dao::Database::Version> v0 = db_->ContentVersion();
    ASSERT_TRUE(v0);
    count(QStringLiteral("CONT"));
    EXPECT_EQ(db_->ContentVersion(), v0);

    const std::pair<const char*, std::function<void()>> cambios[] = {
        {"another connection's row", [&] { RawConnection(path_).exec("INSERT INTO CONT (NOMBRE) VALUES ('X')"); }},
        {"this connection's row", [&] { addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("1")); }},
        {"this connection's table", [&] { db_->Execute(QStringLiteral("CREATE TABLE OTRA (A TEXT)")); }},
        {"another connection's index", [&] { RawConnection(path_).exec("CREATE INDEX OTRA_A ON OTRA (A)"); }},
    };
    std::optional<dao::Database::Version> antes = v0;
    for (const auto& [cambio, haz] : cambios) {
        haz();
        const std::optional<dao::Database::Version> v = db_->ContentVersion();
        EXPECT_TRUE(v && v != antes) << cambio;
        antes = v;
    }

    db_->BeginTrans();
    EXPECT_FALSE(db_->ContentVersion());
    db_->Rollback();
    EXPECT_EQ(db_->ContentVersion(), antes);
    // Two connections never share a version, even over the same contents.
    EXPECT_NE(dao::Database::Open(path_)->ContentVersion(), antes);
}

// The scoped transaction: kept only when confirmed; an exception or a refusal half-way
// leaves the old rows, and an enclosing transaction keeps its own work.
TEST_F(DbFixture, AScopedTransactionKeepsItsWorkOnlyWhenConfirmed)
{
    struct Caso {
        const char* nombre;
        bool confirma;
        bool lanza;
        int filas;
    };
    const Caso casos[] = {
        {"confirmed", true, false, 2},
        {"left without confirming", false, false, 1},
        {"left by an exception", false, true, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        db_->Execute(QStringLiteral("DELETE FROM F0947_PTCEA"));
        addLoss(QStringLiteral("1"), QStringLiteral("2010"), QStringLiteral("1"));
        try {
            dao::Transaccion t(*db_);
            db_->Execute(QStringLiteral("DELETE FROM F0947_PTCEA"));
            addLoss(QStringLiteral("1"), QStringLiteral("2011"), QStringLiteral("1"));
            addLoss(QStringLiteral("1"), QStringLiteral("2012"), QStringLiteral("1"));
            if (c.lanza)
                throw dao::DaoError(dao::err::DiskError);
            if (c.confirma)
                t.Confirma();
        } catch (const dao::DaoError&) {
        }
        EXPECT_EQ(db_->TransactionLevel(), 0);
        EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), c.filas);
    }

    db_->BeginTrans();
    addLoss(QStringLiteral("1"), QStringLiteral("2013"), QStringLiteral("1"));
    {
        dao::Transaccion t(*db_);
        addLoss(QStringLiteral("1"), QStringLiteral("2014"), QStringLiteral("1"));
        t.Deshace();
        EXPECT_EQ(db_->TransactionLevel(), 1);
    }
    EXPECT_EQ(db_->TransactionLevel(), 1);
    db_->CommitTrans();
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 2);
}

TEST_F(DbFixture, AScopedTransactionThatCannotBeginLeavesNothingToUndo)
{
    RawConnection other(path_);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_EQ(errorOf([&] { dao::Transaccion t(*db_); }), 3051);
    EXPECT_EQ(db_->TransactionLevel(), 0);
    other.exec("ROLLBACK");
    // A database closed inside the scope has nothing left to roll back.
    {
        dao::Transaccion t(*db_);
        addLoss(QStringLiteral("1"), QStringLiteral("2010"), QStringLiteral("1"));
        db_->Close();
    }
    db_ = dao::Database::Open(path_);
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 0);
}

} // namespace
