#include "DbFixture.h"

#include <gtest/gtest.h>

using dao::Kind;
using dao::Variant;
using dbtest::DbFixture;
using dbtest::errorOf;
using dbtest::RawConnection;

namespace {

const QString kLossRow = QStringLiteral(
    "SELECT * FROM F0947_PTCEA WHERE DOC_ID_D = ? AND TIP_DOC_D = 6 AND PERIODO = ? AND FORMULARIO = ? AND ANHO = ?");

dao::Params lossKey(const QString& anho)
{
    return {QStringLiteral("20000000001"), QStringLiteral("201305"), QStringLiteral("0947"), anho};
}

TEST_F(DbFixture, FieldsByCaseInsensitiveNameAndByPosition)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT Anho, importe AS Detalle FROM F0947_PTCEA"),
                                 dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields(QStringLiteral("ANHO")).Value().toText(), QStringLiteral("2012"));
    EXPECT_EQ(rs->Fields(QStringLiteral("anho")).Name(), QStringLiteral("Anho"));
    EXPECT_EQ(rs->Fields(QStringLiteral("detalle")).Value().toText(), QStringLiteral("15000"));
    EXPECT_EQ(rs->Fields(1).Value().toText(), QStringLiteral("15000"));
    // The alias names the field, not the column behind it.
    EXPECT_EQ(errorOf([&] { rs->Fields(QStringLiteral("importe")); }), 3265);
    EXPECT_EQ(errorOf([&] { rs->Fields(2); }), 3265);
    EXPECT_EQ(errorOf([&] { rs->Fields(-1); }), 3265);
}

TEST_F(DbFixture, AddNewStartsFromDefaultsAndStoresConvertedValues)
{
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM CONT WHERE DOC_ID_D = ?"), dao::dbOpenDynaset,
                                 {QStringLiteral("20000000001")});
    ASSERT_TRUE(rs->Eof() && rs->Bof());
    rs->AddNew();
    EXPECT_TRUE(rs->Fields(QStringLiteral("SEMANA")).Value() == Variant::fromLong(0));
    EXPECT_TRUE(rs->Fields(QStringLiteral("ESTADO")).Value() == Variant("0"));
    EXPECT_TRUE(rs->Fields(QStringLiteral("NOMBRE")).Value().isNull());
    rs->Fields(QStringLiteral("tip_doc_d")) = QStringLiteral("6");
    rs->Fields(QStringLiteral("doc_id_d")) = QStringLiteral("20000000001");
    rs->Fields(QStringLiteral("nombre")).setValue(QStringLiteral("Comercial Ñandú"));
    // Converted on assignment: what the row check value reads is already a byte.
    EXPECT_TRUE(rs->Fields(0).Value() == Variant::fromByte(6));
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 1);

    auto back = db_->OpenRecordset(QStringLiteral("SELECT * FROM CONT"), dao::dbOpenSnapshot);
    ASSERT_EQ(back->RecordCount(), 1);
    EXPECT_TRUE(back->Fields(0).Value() == Variant::fromByte(6));
    EXPECT_TRUE(back->Fields(1).Value() == Variant("20000000001"));
    EXPECT_TRUE(back->Fields(2).Value() == Variant::fromLong(0));
    EXPECT_TRUE(back->Fields(3).Value() == Variant(QStringLiteral("Comercial Ñandú")));
}

TEST_F(DbFixture, EditChangesOnlyThatRowAndDeleteRemovesIt)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2011"), QStringLiteral("700"));
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));

    auto rs = db_->OpenRecordset(kLossRow, dao::dbOpenDynaset, lossKey(QStringLiteral("2012")));
    ASSERT_FALSE(rs->Eof());
    rs->Edit();
    rs->Fields(QStringLiteral("Importe")) = 16000;
    rs->Fields(QStringLiteral("cNumero")) = QStringLiteral("271731");
    rs->Update();
    EXPECT_EQ(rs->Fields(QStringLiteral("importe")).Value().toText(), QStringLiteral("16000"));

    auto all = db_->OpenRecordset(QStringLiteral("SELECT Anho, Importe, cnumero FROM F0947_PTCEA ORDER BY Anho"),
                                  dao::dbOpenSnapshot);
    EXPECT_EQ(all->Fields(1).Value().toText(), QStringLiteral("700"));
    EXPECT_EQ(all->Fields(2).Value().toText(), QStringLiteral("0"));
    all->MoveNext();
    EXPECT_EQ(all->Fields(1).Value().toText(), QStringLiteral("16000"));
    EXPECT_EQ(all->Fields(2).Value().toText(), QStringLiteral("271731"));

    auto del = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA ORDER BY Anho"));
    del->Delete();
    EXPECT_EQ(errorOf([&] { del->Fields(0).Value(); }), 3167);
    EXPECT_EQ(del->RecordCount(), 1);
    del->MoveNext();
    EXPECT_EQ(del->Fields(QStringLiteral("anho")).Value().toText(), QStringLiteral("2012"));
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 1);
}

TEST_F(DbFixture, ColumnListDynasetInsertsOnlyItsColumns)
{
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT DOC_ID_D, NOMBRE FROM CONT"));
    ASSERT_TRUE(rs->Updatable());
    rs->AddNew();
    rs->Fields(0) = QStringLiteral("10000000002");
    rs->Update();
    auto back = db_->OpenRecordset(QStringLiteral("SELECT * FROM CONT"), dao::dbOpenSnapshot);
    EXPECT_TRUE(back->Fields(QStringLiteral("tip_doc_d")).Value().isNull());
    EXPECT_TRUE(back->Fields(QStringLiteral("semana")).Value() == Variant::fromLong(0));
    EXPECT_TRUE(back->Fields(QStringLiteral("nombre")).Value().isNull());
}

TEST_F(DbFixture, WriteErrorsOfTheRecordset)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    auto dyn = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"));
    auto snap = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"), dao::dbOpenSnapshot);
    auto empty = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA WHERE Anho = ?"),
                                    dao::dbOpenDynaset, {QStringLiteral("1999")});
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
    } cases[] = {
        {"Update without AddNew or Edit", [&] { dyn->Update(); }, 3020},
        {"CancelUpdate without AddNew or Edit", [&] { dyn->CancelUpdate(); }, 3020},
        {"assignment without Edit", [&] { dyn->Fields(5) = QStringLiteral("1"); }, 3020},
        {"AddNew on a snapshot", [&] { snap->AddNew(); }, 3027},
        {"Edit on a snapshot", [&] { snap->Edit(); }, 3027},
        {"Delete on a snapshot", [&] { snap->Delete(); }, 3027},
        {"assignment on a snapshot", [&] { snap->Fields(5) = QStringLiteral("1"); }, 3027},
        {"reading at EOF", [&] { empty->Fields(0).Value(); }, 3021},
        {"Edit at EOF", [&] { empty->Edit(); }, 3021},
        {"Delete at EOF", [&] { empty->Delete(); }, 3021},
        {"MoveNext at EOF", [&] { empty->MoveNext(); }, 3021},
        {"MoveFirst on no rows", [&] { empty->MoveFirst(); }, 3021},
        {"MovePrevious at BOF", [&] { dyn->MovePrevious(); dyn->MovePrevious(); }, 3021},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.error) << c.what;
}

TEST_F(DbFixture, ConversionErrorsOnAssignmentLeaveTheBufferAsItWas)
{
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"));
    rs->AddNew();
    EXPECT_EQ(errorOf([&] { rs->Fields(QStringLiteral("tip_doc_d")) = QStringLiteral("seis"); }), 3421);
    EXPECT_EQ(errorOf([&] { rs->Fields(QStringLiteral("formulario")) = QStringLiteral("09470"); }), 3163);
    EXPECT_TRUE(rs->Fields(QStringLiteral("tip_doc_d")).Value().isNull());
    EXPECT_TRUE(rs->Fields(QStringLiteral("formulario")).Value().isNull());
    rs->Fields(QStringLiteral("tip_doc_d")) = 6;
    rs->Fields(QStringLiteral("formulario")) = QStringLiteral("0947");
    rs->Update();
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 1);
}

TEST_F(DbFixture, DuplicateKeyIs3022AndKeepsTheEditOpen)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    auto rs = db_->OpenRecordset(kLossRow, dao::dbOpenDynaset, lossKey(QStringLiteral("2013")));
    rs->AddNew();
    rs->Fields(QStringLiteral("tip_doc_d")) = 6;
    rs->Fields(QStringLiteral("doc_id_d")) = QStringLiteral("20000000001");
    rs->Fields(QStringLiteral("periodo")) = QStringLiteral("201305");
    rs->Fields(QStringLiteral("formulario")) = QStringLiteral("0947");
    rs->Fields(QStringLiteral("anho")) = QStringLiteral("2012");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), 3022);
    EXPECT_EQ(rs->EditMode(), dao::dbEditAdd);
    rs->Fields(QStringLiteral("anho")) = QStringLiteral("2013");
    rs->Update();
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 2);
}

TEST_F(DbFixture, RequiredFieldLeftNullIs3314)
{
    db_->Execute(QStringLiteral("CREATE TABLE R (a TEXT(3) NOT NULL, b LONG)"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM R"));
    rs->AddNew();
    rs->Fields(1) = 1;
    EXPECT_EQ(errorOf([&] { rs->Update(); }), 3314);
}

TEST_F(DbFixture, QueriesOverSeveralTablesOrExpressionsAreReadOnly)
{
    db_->Execute(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE) VALUES (6, '20000000001', 'A')"));
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    const QString queries[] = {
        QStringLiteral("SELECT A.Anho, B.NOMBRE FROM F0947_PTCEA AS A, CONT AS B WHERE A.doc_id_d = B.doc_id_d"),
        QStringLiteral("SELECT A.Anho FROM F0947_PTCEA AS A, CONT AS B WHERE A.doc_id_d = B.doc_id_d"),
        QStringLiteral("SELECT max(Anho) AS m FROM F0947_PTCEA"),
        QStringLiteral("SELECT Anho, Importe || 'x' AS i FROM F0947_PTCEA"),
        QStringLiteral("SELECT DISTINCT Anho FROM F0947_PTCEA"),
        QStringLiteral("SELECT Anho FROM F0947_PTCEA GROUP BY Anho"),
    };
    for (const QString& q : queries) {
        auto rs = db_->OpenRecordset(q, dao::dbOpenDynaset);
        EXPECT_FALSE(rs->Updatable()) << q.toStdString();
        EXPECT_EQ(errorOf([&] { rs->Edit(); }), 3027) << q.toStdString();
        EXPECT_EQ(rs->RecordCount(), 1) << q.toStdString();
    }
}

TEST_F(DbFixture, NavigationCountAndAbsolutePosition)
{
    for (const char* anho : {"2009", "2010", "2011", "2012"})
        addLoss(QStringLiteral("20000000001"), QString::fromLatin1(anho), QStringLiteral("1"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT Anho FROM F0947_PTCEA ORDER BY Anho"), dao::dbOpenSnapshot);
    // Full count at once, without MoveLast.
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    rs->setAbsolutePosition(2);
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("2011"));
    EXPECT_EQ(errorOf([&] { rs->setAbsolutePosition(4); }), 3001);
    EXPECT_EQ(rs->AbsolutePosition(), 2);

    std::vector<QString> seen;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        seen.push_back(rs->Fields(0).Value().toText());
    EXPECT_EQ(seen, (std::vector<QString>{"2009", "2010", "2011", "2012"}));
}

TEST_F(DbFixture, OpenRecordsetHoldsNoLockOnTheFile)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"));
    RawConnection other(path_);
    EXPECT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    other.exec("ROLLBACK");
    // A row another program removed in the meantime is reported, not silently re-created.
    other.exec("DELETE FROM F0947_PTCEA");
    rs->Edit();
    rs->Fields(QStringLiteral("importe")) = QStringLiteral("1");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), 3167);
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 0);
}

TEST_F(DbFixture, RequeryReadsTheTableAgain)
{
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA WHERE doc_id_d = ?"),
                                 dao::dbOpenSnapshot, {QStringLiteral("20000000001")});
    EXPECT_TRUE(rs->Eof());
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    addLoss(QStringLiteral("20000000009"), QStringLiteral("2012"), QStringLiteral("15000"));
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_FALSE(rs->Eof());
}

// Thousands of rows read at once, texts long and short among them: every field of every
// row reads back as stored, going forward, backward and by position, also once some rows
// are deleted through the set.
TEST_F(DbFixture, ThousandsOfRowsReadBackWhole)
{
    constexpr int kFilas = 3000;
    const auto nombre = [](int i) {
        return i == 1234 ? QString(20000, QLatin1Char('L')) : QStringLiteral("NOMBRE %1 Ñ").arg(i).repeated(1 + i % 5);
    };
    db_->BeginTrans();
    for (int i = 0; i < kFilas; ++i)
        db_->Execute(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, SEMANA, NOMBRE, ESTADO) VALUES (6, ?, ?, ?, ?)"),
                     0, {QString::number(20000000000LL + i), i, nombre(i), i % 3 ? Variant(QStringLiteral("1")) : Variant()});
    db_->CommitTrans();

    auto rs = db_->OpenRecordset(QStringLiteral("SELECT SEMANA, DOC_ID_D, NOMBRE, ESTADO FROM CONT ORDER BY SEMANA"));
    ASSERT_EQ(rs->RecordCount(), kFilas);
    const auto igual = [&](int i) {
        return rs->Fields(0).Value() == Variant::fromLong(i)
               && rs->Fields(1).Value().toText() == QString::number(20000000000LL + i)
               && rs->Fields(2).Value().toText() == nombre(i)
               && (i % 3 ? rs->Fields(3).Value().toText() == QStringLiteral("1") : rs->Fields(3).Value().isNull());
    };
    for (int i = 0; i < kFilas; ++i, rs->MoveNext())
        ASSERT_TRUE(igual(i)) << i;
    EXPECT_TRUE(rs->Eof());
    rs->MoveLast();
    for (int i = kFilas - 1; i >= 0; --i, rs->MovePrevious())
        ASSERT_TRUE(igual(i)) << i;
    for (int i : {2999, 0, 503, 504, 505, 1234, 1361, 1362, 2040, 2041}) {
        rs->setAbsolutePosition(i);
        EXPECT_EQ(rs->AbsolutePosition(), i);
        EXPECT_TRUE(igual(i)) << i;
    }

    // Row 10 deleted: every later row is one place earlier.
    rs->setAbsolutePosition(10);
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(igual(11));
    EXPECT_EQ(rs->AbsolutePosition(), 10);
    rs->setAbsolutePosition(2000);
    EXPECT_TRUE(igual(2001));
    EXPECT_EQ(rs->RecordCount(), kFilas - 1);
}

} // namespace
