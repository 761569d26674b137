#include "DbFixture.h"

#include <gtest/gtest.h>

using dao::Variant;
using dbtest::DbFixture;
using dbtest::errorOf;

namespace {

TEST_F(DbFixture, ExecuteErrorNumbers)
{
    struct Case {
        const char* sql;
        dao::Params params;
        int error;
    } cases[] = {
        {"DELETE FROM HF0947_PTCEA WHERE DOC_ID_D = ?", {QStringLiteral("1")}, 3078},
        {"CREATE TABLE f0947_ptcea (a LONG)", {}, 3010},
        {"DELETE FROM CONT WHERE DOC_ID_D = ? AND PERIODO = ?", {QStringLiteral("1")}, 3061},
        {"DELETE FROM CONT WHERE DOC_ID_D = ?", {QStringLiteral("1"), QStringLiteral("2")}, 3061},
        {"DELETE FROM CONT WHERE NO_SUCH_COLUMN = 1", {}, 3061},
        {"SELECT * FROM CONT", {}, 3065},
        {"DELETE FROM CONT; DELETE FROM F0947_PTCEA", {}, 3142},
        {"DELETE * FROM CONT", {}, 3075},
        {"INSERT INTO F0947_PTCEA VALUES (6, '1', '201305', '0947', '2012', '1', '0')", {}, 0},
        {"INSERT INTO F0947_PTCEA VALUES (6, '1', '201305', '0947', '2012', '2', '0')", {}, 3022},
        {"CREATE UNIQUE INDEX PK_CONT ON CONT (DOC_ID_D)", {}, 0},
        {"CREATE UNIQUE INDEX PK_CONT ON CONT (DOC_ID_D)", {}, 3283},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf([&] { db_->Execute(QString::fromLatin1(c.sql), dao::dbInconsistent, c.params); }),
                  c.error)
            << c.sql;
    // A failing statement leaves the table as it was.
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 1);
}

TEST_F(DbFixture, ExecuteRowsWritesEachRowsOwnValuesAndStopsAtTheFirstError)
{
    // Texts of every form the binding treats apart: plain, empty, long, beyond ASCII.
    const QString largo(200, QLatin1Char('x'));
    const std::vector<dao::Params> filas = {
        {6, QStringLiteral("1"), QStringLiteral("2010"), QStringLiteral("15000")},
        {6, QStringLiteral("22"), QStringLiteral("2011"), QString()},
        {6, QStringLiteral("333"), QStringLiteral("2012"), QStringLiteral("Ñandú 1")},
        {6, QStringLiteral("4444"), QStringLiteral("2013"), largo.left(15)},
    };
    const QString sql = QStringLiteral("INSERT INTO F0947_PTCEA VALUES (?, ?, '201305', '0947', ?, ?, '0')");
    EXPECT_EQ(db_->ExecuteRows(sql, filas), 4);
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT doc_id_d, Anho, Importe FROM F0947_PTCEA ORDER BY Anho"),
                                 dao::dbOpenSnapshot);
    for (const dao::Params& f : filas) {
        ASSERT_FALSE(rs->Eof());
        EXPECT_EQ(rs->Fields(0).Value().toText(), f[1].toText());
        EXPECT_EQ(rs->Fields(1).Value().toText(), f[2].toText());
        EXPECT_EQ(rs->Fields(2).Value().toText(), f[3].toText());
        rs->MoveNext();
    }
    // The second row repeats a key: the error is the engine's, and the rows after it stay out.
    db_->Execute(QStringLiteral("DELETE FROM F0947_PTCEA"));
    const std::vector<dao::Params> repetida = {filas[0], filas[0], filas[2]};
    EXPECT_EQ(errorOf([&] { db_->ExecuteRows(sql, repetida); }), 3022);
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 1);
}

TEST_F(DbFixture, MissingTableNamesItInTheDescription)
{
    try {
        db_->OpenRecordset(QStringLiteral("SELECT * FROM HDET"), dao::dbOpenSnapshot);
        FAIL();
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number, 3078);
        EXPECT_TRUE(e.Description.contains(QStringLiteral("'HDET'"))) << e.Description.toStdString();
    }
}

TEST_F(DbFixture, ExecuteCountsRowsAndAcceptsATrailingSemicolon)
{
    for (const char* anho : {"2010", "2011", "2012"})
        addLoss(QStringLiteral("20000000001"), QString::fromLatin1(anho), QStringLiteral("1"));
    EXPECT_EQ(db_->Execute(QStringLiteral("DELETE FROM F0947_PTCEA WHERE Anho < ? ; "), 16, {QStringLiteral("2012")}),
              2);
    EXPECT_EQ(db_->RecordsAffected(), 2);
    db_->Execute(QStringLiteral("CREATE TABLE X (a LONG)"));
    EXPECT_EQ(db_->RecordsAffected(), 0);
    // The look-ups end their statements like this: "... WHERE numero='030' ; ".
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT Anho FROM F0947_PTCEA WHERE Anho = ? ; "),
                                 dao::dbOpenSnapshot, {QStringLiteral("2012")});
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST_F(DbFixture, QuotesInValuesAreData)
{
    const QString names[] = {QStringLiteral("O'Brien"), QStringLiteral("x' OR '1'='1"),
                             QStringLiteral("a\"b;--"), QStringLiteral("?")};
    for (const QString& n : names)
        db_->Execute(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE) VALUES (6, ?, ?)"), 0,
                     {QStringLiteral("20000000001"), n});
    for (const QString& n : names) {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT NOMBRE FROM CONT WHERE NOMBRE = ?"), dao::dbOpenSnapshot,
                                     {n});
        ASSERT_EQ(rs->RecordCount(), 1) << n.toStdString();
        EXPECT_EQ(rs->Fields(0).Value().toText(), n);
    }
    auto none = db_->OpenRecordset(QStringLiteral("SELECT * FROM CONT WHERE NOMBRE = ?"), dao::dbOpenSnapshot,
                                   {QStringLiteral("' OR 1=1 --")});
    EXPECT_TRUE(none->Eof());
    EXPECT_EQ(db_->Execute(QStringLiteral("UPDATE CONT SET NOMBRE = ? WHERE NOMBRE = ?"), 0,
                           {QStringLiteral("O''Brien"), QStringLiteral("O'Brien")}),
              1);
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT NOMBRE FROM CONT WHERE NOMBRE LIKE ?"), dao::dbOpenSnapshot,
                                 {QStringLiteral("O''%")});
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("O''Brien"));
}

TEST_F(DbFixture, ParametersCompareAcrossKindsAsStored)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    // A text "6" finds the byte column's 6, a number finds the text column's "2012".
    auto a = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA WHERE tip_doc_d = ?"), dao::dbOpenSnapshot,
                                {QStringLiteral("6")});
    EXPECT_EQ(a->RecordCount(), 1);
    auto b = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA WHERE Anho = ?"), dao::dbOpenSnapshot,
                                {2012});
    EXPECT_EQ(b->RecordCount(), 1);
    db_->Execute(QStringLiteral("CREATE TABLE SPOOL (CodRep TEXT(6), Fecha DATETIME)"));
    const QDateTime when(QDate(2013, 4, 30), QTime(17, 45, 3));
    db_->Execute(QStringLiteral("INSERT INTO SPOOL VALUES (?, ?)"), 0, {QStringLiteral("RCP001"), when});
    auto c = db_->OpenRecordset(QStringLiteral("SELECT Fecha FROM SPOOL WHERE Fecha > ?"), dao::dbOpenSnapshot,
                                {QDate(2013, 4, 30)});
    ASSERT_EQ(c->RecordCount(), 1);
    EXPECT_TRUE(c->Fields(0).Value() == Variant(when));
}

TEST_F(DbFixture, TableDefsListTablesWithFieldsInOrder)
{
    const auto defs = db_->TableDefs();
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_EQ(defs[0].Name, QStringLiteral("F0947_PTCEA"));
    ASSERT_EQ(defs[0].Fields.size(), 7u);
    EXPECT_EQ(defs[0].Fields[0].Name, QStringLiteral("tip_doc_d"));
    EXPECT_EQ(defs[0].Fields[0].Type, QStringLiteral("Byte"));
    EXPECT_EQ(defs[0].Fields[3].Type, QStringLiteral("Text (4)"));
    EXPECT_EQ(defs[0].PrimaryKey, (QStringList{"tip_doc_d", "doc_id_d", "periodo", "formulario", "Anho"}));
    EXPECT_TRUE(defs[1].PrimaryKey.isEmpty());
    EXPECT_TRUE(db_->TableExists(QStringLiteral("f0947_ptcea")));
    EXPECT_FALSE(db_->TableExists(QStringLiteral("HF0947_PTCEA")));
}

TEST_F(DbFixture, AppendTableDefCreatesTheTableWithItsKey)
{
    dao::TableDef def;
    def.Name = QStringLiteral("HF0947_PTCEA");
    def.Fields = {{"tip_doc_d", "BYTE"}, {"doc_id_d", "TEXT(15)"}, {"Correl", "TEXT(3)"}, {"Anho", "TEXT(4)"},
                  {"semana", "LONG NOT NULL DEFAULT 0"}};
    def.PrimaryKey = {"tip_doc_d", "doc_id_d", "Correl", "Anho"};
    def.PrimaryKeyName = QStringLiteral("PK_HF0947_PTCEA");
    db_->AppendTableDef(def);
    EXPECT_TRUE(db_->TableExists(QStringLiteral("HF0947_PTCEA")));
    const QString ins = QStringLiteral("INSERT INTO HF0947_PTCEA (tip_doc_d, doc_id_d, Correl, Anho) VALUES (6, ?, ?, ?)");
    db_->Execute(ins, 0, {QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("2012")});
    EXPECT_EQ(errorOf([&] { db_->Execute(ins, 0, {QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("2012")}); }),
              3022);
    EXPECT_EQ(errorOf([&] { db_->AppendTableDef(def); }), 3010);
    def.Name = QStringLiteral("OTRA");
    def.Fields = {{"a", "TEXT(3); DROP TABLE CONT"}};
    def.PrimaryKey.clear();
    EXPECT_EQ(errorOf([&] { db_->AppendTableDef(def); }), 3001);
    EXPECT_TRUE(db_->TableExists(QStringLiteral("CONT")));
}

} // namespace

// Statements are kept prepared between calls: the same text must behave as new each time,
// also nested, across a change of the table, and after the file is closed and reopened.
TEST_F(DbFixture, RepeatedStatementsBehaveAsNew)
{
    const QString insert = QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE) VALUES (6, ?, ?)");
    const QString select = QStringLiteral("SELECT NOMBRE FROM CONT WHERE DOC_ID_D = ?");
    db_->Execute(insert, 0, {QStringLiteral("1"), QStringLiteral("UNO")});
    EXPECT_EQ(errorOf([&] { db_->Execute(insert, 0, {QStringLiteral("2")}); }), 3061);
    db_->Execute(insert, 0, {QStringLiteral("2"), QStringLiteral("DOS")});

    auto outer = db_->OpenRecordset(select, dao::dbOpenSnapshot, {QStringLiteral("1")});
    auto inner = db_->OpenRecordset(select, dao::dbOpenSnapshot, {QStringLiteral("2")});
    EXPECT_EQ(outer->Fields(0).Value().toText(), QStringLiteral("UNO"));
    EXPECT_EQ(inner->Fields(0).Value().toText(), QStringLiteral("DOS"));

    db_->Execute(QStringLiteral("DROP TABLE CONT"));
    db_->Execute(QStringLiteral("CREATE TABLE CONT (TIP_DOC_D BYTE, DOC_ID_D TEXT(15), NOMBRE TEXT(60))"));
    db_->Execute(insert, 0, {QStringLiteral("3"), QStringLiteral("TRES")});
    EXPECT_EQ(db_->OpenRecordset(select, dao::dbOpenSnapshot, {QStringLiteral("3")})->Fields(0).Value().toText(),
              QStringLiteral("TRES"));

    db_->Close();
    db_ = dao::Database::Open(path_);
    EXPECT_EQ(db_->OpenRecordset(select, dao::dbOpenSnapshot, {QStringLiteral("3")})->RecordCount(), 1);
}
