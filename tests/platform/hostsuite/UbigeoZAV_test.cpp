#include "platform/hostsuite/UbigeoZAV.h"

#include "platform/db/Database.h"
#include "tests/support/EspacioPrueba.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTemporaryDir>

namespace {

class UbigeoZAVTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        const QString file = tmp_.filePath(QStringLiteral("ZAV.MDB"));
        QString error;
        ASSERT_TRUE(zav::prueba::CreaBase(file, false, true, &error)) << error.toStdString();
        db_ = dao::Database::Open(file);
        control_.setBaseDatos(db_.get());
    }

    QTemporaryDir tmp_;
    std::unique_ptr<dao::Database> db_;
    zav::UbigeoZAV control_;
};

TEST_F(UbigeoZAVTest, FiltersChooseTheDistrictsOffered)
{
    const struct {
        const char* f0;
        const char* f1;
        const char* f2;
        const char* f3;
        std::vector<const char*> codigos;
    } cases[] = {
        {"", "", "", "",
         {"010101", "010201", "150101", "150122", "160101", "170101", "230101", "250101"}},
        {"A", "A", "1000000000", "1000000000", {"010101", "010201", "250101"}},
        {"A", "A", "0100000000", "0100000000", {"160101", "170101"}},
        {"A", "", "1000000000", "", {"010201", "170101", "230101"}},
        // Both masks must hold.
        {"A", "A", "1000000000", "0100000000", {}},
        {"16", "A", "0100000000", "", {"160101"}},
        {"15", "", "", "", {"150101", "150122"}},
    };
    for (const auto& c : cases) {
        control_.setFiltro0(QString::fromLatin1(c.f0));
        control_.setFiltro1(QString::fromLatin1(c.f1));
        control_.setFiltro2(QString::fromLatin1(c.f2));
        control_.setFiltro3(QString::fromLatin1(c.f3));
        QStringList esperado;
        for (const char* codigo : c.codigos)
            esperado << QString::fromLatin1(codigo);
        EXPECT_EQ(control_.CodigosOfrecidos(), esperado) << c.f0 << "/" << c.f1 << "/" << c.f2 << "/" << c.f3;
    }
}

TEST_F(UbigeoZAVTest, TheCodeIsTheChosenDistrict)
{
    control_.setFiltro1(QStringLiteral("A"));
    control_.setFiltro2(QStringLiteral("0100000000"));
    EXPECT_EQ(control_.codigoubigeo(), QString());
    EXPECT_EQ(control_.cboDepartamento->count(), 2);   // LORETO, MADRE DE DIOS

    // Choosing by the lists, as the user does.
    control_.cboDepartamento->setCurrentIndex(control_.cboDepartamento->findText(QStringLiteral("MADRE DE DIOS")));
    EXPECT_EQ(control_.codigoubigeo(), QString());
    ASSERT_EQ(control_.cboProvincia->count(), 1);
    control_.cboProvincia->setCurrentIndex(0);
    ASSERT_EQ(control_.cboDistrito->count(), 1);
    control_.cboDistrito->setCurrentIndex(0);
    EXPECT_EQ(control_.codigoubigeo(), QStringLiteral("170101"));

    // Changing the department drops the district.
    control_.cboDepartamento->setCurrentIndex(control_.cboDepartamento->findText(QStringLiteral("LORETO")));
    EXPECT_EQ(control_.codigoubigeo(), QString());

    control_.setCodigoubigeo(QStringLiteral("160101"));
    EXPECT_EQ(control_.codigoubigeo(), QStringLiteral("160101"));
    EXPECT_EQ(control_.cboDistrito->currentText(), QStringLiteral("IQUITOS"));

    // A code the filters leave out is not chosen, and a new filter drops a choice it excludes.
    control_.setCodigoubigeo(QStringLiteral("150101"));
    EXPECT_EQ(control_.codigoubigeo(), QString());
    control_.setCodigoubigeo(QStringLiteral("170101"));
    control_.setFiltro0(QStringLiteral("17"));
    EXPECT_EQ(control_.codigoubigeo(), QStringLiteral("170101"));
    control_.setFiltro0(QStringLiteral("16"));
    EXPECT_EQ(control_.codigoubigeo(), QString());
}

TEST_F(UbigeoZAVTest, WithoutADatabaseNothingIsOffered)
{
    zav::UbigeoZAV vacio;
    vacio.setCodigoubigeo(QStringLiteral("150101"));
    EXPECT_EQ(vacio.codigoubigeo(), QString());
    EXPECT_TRUE(vacio.CodigosOfrecidos().isEmpty());
}

} // namespace
