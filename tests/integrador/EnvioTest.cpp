// Sending a stored declaration to the history tables.
#include "common/CalculaControl.h"
#include "integrador/Envio.h"
#include "integrador/Workspace.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace integrador {
namespace {

const QString kDoc = QStringLiteral("20000000001");
const QString kPeriodo = QStringLiteral("201305");

class EnvioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        file_ = tmp_.filePath(QStringLiteral("ZAV.MDB"));
        ASSERT_TRUE(CreateDatabase(file_, DatabaseOptions{true, true}));
        db_ = dao::Database::Open(file_);
        Inserta(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, estado, cNumero) "
                               "VALUES (6, ?, ?, '0947', 0, 'x')"),
                {kDoc, kPeriodo});
        for (const char* casilla : {"100", "610"})
            Inserta(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, i_valor, "
                                   "idcasilla, cNumero) VALUES (6, ?, ?, '0947', ?, '1500', '01', 'x')"),
                    {kDoc, kPeriodo, casilla});
        Inserta(QStringLiteral("INSERT INTO F0947_PTCEA VALUES (6, ?, ?, '0947', '2012', '15000', '271731')"),
                {kDoc, kPeriodo});
    }

    void Inserta(const QString& sql, const dao::Params& p) { db_->Execute(sql, 0, p); }

    int Filas(const QString& tabla, const QString& correl)
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM ") + tabla
                                         + QStringLiteral(" WHERE DOC_ID_D = ? AND CORREL = ?"),
                                     dao::dbOpenSnapshot, {kDoc, correl});
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    QTemporaryDir tmp_;
    QString file_;
    std::unique_ptr<dao::Database> db_;
};

TEST_F(EnvioTest, CopiesEveryRowUnderANewCorrelWithItsCheckValue)
{
    const EnvioResult r = EnviaDeclaracion(file_, kDoc, kPeriodo);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.correl, QStringLiteral("001"));
    EXPECT_EQ(Filas(QStringLiteral("HCAB"), r.correl), 1);
    EXPECT_EQ(Filas(QStringLiteral("HDET"), r.correl), 2);
    EXPECT_EQ(Filas(QStringLiteral("HF0947_PTCEA"), r.correl), 1);

    auto hcab = db_->OpenRecordset(QStringLiteral("SELECT * FROM HCAB WHERE DOC_ID_D = ?"), dao::dbOpenDynaset, {kDoc});
    ASSERT_FALSE(hcab->Eof());
    EXPECT_EQ(hcab->Fields(QStringLiteral("estado")).Value().toInt64(), 1);
    EXPECT_EQ(hcab->Fields(QStringLiteral("CONTROL")).Value().toText(), r.control);
    EXPECT_TRUE(hcab->Fields(QStringLiteral("norden")).Value().isNull());
    hcab->Edit();
    EXPECT_EQ(hcab->Fields(QStringLiteral("cNumero")).Value().toText(), zav::CalculaControl(*hcab, 6));

    // What the taxpayer registers in the module fits the control code.
    EXPECT_EQ(r.norden.size(), 8);
    EXPECT_TRUE(zav::clsUtilitarios().ValidaNumeroOrden(r.control, r.norden, r.verifica));
}

TEST_F(EnvioTest, EachSendTakesTheNextCorrel)
{
    ASSERT_TRUE(EnviaDeclaracion(file_, kDoc, kPeriodo).ok);
    const EnvioResult r = EnviaDeclaracion(file_, kDoc, kPeriodo);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.correl, QStringLiteral("002"));
    EXPECT_EQ(Filas(QStringLiteral("HDET"), QStringLiteral("002")), 2);
}

TEST_F(EnvioTest, AMissingDeclarationWritesNothing)
{
    const EnvioResult r = EnviaDeclaracion(file_, kDoc, QStringLiteral("201308"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM HCAB"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields(0).Value().toInt64(), 0);
}

// Between the check and the copy the module may have saved it again with inconsistencies.
TEST_F(EnvioTest, ADeclarationSavedWithInconsistenciesIsNeverCopied)
{
    Inserta(QStringLiteral("UPDATE CAB SET estado = 9"), {});
    const EnvioResult r = EnviaDeclaracion(file_, kDoc, kPeriodo);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("estado 9"))) << r.message.toStdString();
    EXPECT_EQ(Filas(QStringLiteral("HCAB"), QStringLiteral("001")), 0);
    EXPECT_EQ(Filas(QStringLiteral("HDET"), QStringLiteral("001")), 0);
}

} // namespace
} // namespace integrador
