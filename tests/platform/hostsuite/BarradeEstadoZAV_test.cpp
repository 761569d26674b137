#include "platform/hostsuite/BarradeEstadoZAV.h"

#include <QMainWindow>

#include <gtest/gtest.h>

using zav::BarradeEstadoZAV;

TEST(BarradeEstadoZAV, EachWrittenFieldIsShownWithItsCaption)
{
    QMainWindow w;
    auto* bar = new BarradeEstadoZAV;
    w.setStatusBar(bar);
    bar->setEsruc(1);
    bar->setNumdoc(QStringLiteral("20100047218"));
    bar->setRazonsocial(QStringLiteral("Compañía Ñandú S.A."));
    bar->setPeriodo_ejercicio(QStringLiteral("05/2013"));
    bar->setFormulario(QStringLiteral("0947"));

    EXPECT_EQ(bar->TextoCampo(0), QStringLiteral("RUC: 20100047218"));
    EXPECT_EQ(bar->TextoCampo(1), QStringLiteral("Razón Social: Compañía Ñandú S.A."));
    EXPECT_EQ(bar->TextoCampo(2), QStringLiteral("Periodo: 05/2013"));
    EXPECT_EQ(bar->TextoCampo(3), QStringLiteral("Formulario: 0947"));
    EXPECT_EQ(w.statusBar(), bar);

    // Clearing a field leaves its caption; esruc changes only the document's caption.
    bar->setRazonsocial(QString());
    bar->setEsruc(0);
    EXPECT_EQ(bar->TextoCampo(1), QStringLiteral("Razón Social: "));
    EXPECT_EQ(bar->TextoCampo(0), QStringLiteral("Doc.: 20100047218"));
    EXPECT_EQ(bar->numdoc(), QStringLiteral("20100047218"));
}

TEST(BarradeEstadoZAV, PropertiesWriteThroughTheMetaObject)
{
    BarradeEstadoZAV bar;
    EXPECT_TRUE(bar.setProperty("numdoc", QStringLiteral("123")));
    EXPECT_TRUE(bar.setProperty("periodo_ejercicio", QStringLiteral("12/2012")));
    EXPECT_EQ(bar.TextoCampo(0), QStringLiteral("RUC: 123"));
    EXPECT_EQ(bar.periodo_ejercicio(), QStringLiteral("12/2012"));
}
