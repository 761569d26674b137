#include "common/CalculaControl.h"
#include "platform/db/Database.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace zav;

namespace {

// A tax-loss style table: five key columns, one data column, the check value last.
class CalculaControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString path = dir_.filePath(QStringLiteral("t.mdb"));
        dao::Database::CreateEmpty(path);
        db_ = dao::Database::Open(path);
        db_->Execute(QStringLiteral(
            "CREATE TABLE T (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
            "Anho TEXT(4), Importe TEXT(255), cNumero TEXT(6))"));
        db_->Execute(QStringLiteral("CREATE TABLE D (Fecha DATETIME, Texto TEXT(10), cNumero TEXT(6))"));
    }

    // The value of a new row of T with these fields, before it is stored.
    QString control(const dao::Params& valores, int k = 5)
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM T"));
        rs->AddNew();
        for (size_t i = 0; i < valores.size(); ++i)
            rs->Fields(static_cast<int>(i)) = valores[i];
        return CalculaControl(*rs, k);
    }

    QTemporaryDir dir_;
    std::unique_ptr<dao::Database> db_;
};

TEST_F(CalculaControlTest, WorkedExampleOfATaxLossRow)
{
    EXPECT_EQ(control({6, "20000000001", "201305", "0947", "2012", "15000"}), "271731");
}

TEST_F(CalculaControlTest, KeyAndDataRules)
{
    struct Case {
        const char* what;
        dao::Params valores;
        int k;
        const char* esperado;
    };
    const Case casos[] = {
        // 6 + 0 (letters) + 201305 + 947 + 2012 = 204270; data "1" = 49.
        {"non-numeric key adds 0, short data sum padded", {6, "ABC", "201305", "0947", "2012", "1"}, 5, "270049"},
        {"null data adds nothing", {6, "20000000001", "201305", "0947", "2012", dao::Variant()}, 5, "271000"},
        {"blanks around texts do not count", {6, " 20000000001 ", "201305", "0947", "2012", "  1  "}, 5, "271049"},
        // k = 6: Importe joins the key, no data field is left before cNumero.
        {"no data part", {6, "20000000001", "201305", "0947", "2012", "15000"}, 6, "271000"},
        // Ñ is 209 in Windows-1252: 209*1 + 49*2 = 307.
        {"data by code-page character codes", {6, "1", "1", "1", "1", "Ñ1"}, 5, "010307"},
    };
    for (const Case& c : casos)
        EXPECT_EQ(control(c.valores, c.k), c.esperado) << c.what;
}

TEST_F(CalculaControlTest, KeySumsWithFractionsOrBeyond15DigitsGoThroughTheMask)
{
    // A fractional key: 2.5 rounds half away from zero to 3.
    db_->Execute(QStringLiteral("CREATE TABLE F (k DOUBLE, cNumero TEXT(6))"));
    auto f = db_->OpenRecordset(QStringLiteral("SELECT * FROM F"));
    const struct {
        double k;
        const char* esperado;
    } casos[] = {{2.5, "003000"}, {-7, "007000"}, {1234567890123456789.0, "000000"}, {999.5, "000000"}};
    for (const auto& c : casos) {
        f->AddNew();
        f->Fields(0) = c.k;
        EXPECT_EQ(CalculaControl(*f, 1), c.esperado) << c.k;
        f->CancelUpdate();
    }
}

TEST_F(CalculaControlTest, LongTextsDoNotOverflow)
{
    // 250 characters of code 255: 255 * (1 + ... + 250) = 8 000 625; single products
    // pass 32767 from position 129 on.
    EXPECT_EQ(control({6, "1", "1", "1", "1", QString(250, QChar(0xFF))}), "010625");
}

TEST_F(CalculaControlTest, DateKeyCountsAsYyyymmdd)
{
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM D"));
    rs->AddNew();
    rs->Fields(0) = QDate(2013, 4, 30);
    rs->Fields(1) = "1";
    EXPECT_EQ(CalculaControl(*rs, 1), "430049");
}

} // namespace
