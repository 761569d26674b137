// The taxpayer of a new declaration, the zone list and the tax unit.
#include "VentanaFixture.h"

#include "shell/modulo/Procedimientos.h"

#include <QGroupBox>
#include <QTabWidget>

namespace {

using VentanaContribuyente = VentanaFixture;

QString Item(const char* ruc, const char* nombre)
{
    return QString::fromLatin1(ruc) + QString(7, QLatin1Char(' ')) + QString::fromUtf8(nombre);
}

TEST_F(VentanaContribuyente, TaxpayerListByKindOfUser)
{
    struct Caso {
        const char* usuario;
        QStringList items;
    };
    const Caso casos[] = {
        // Kind "0" sees every taxpayer, in document order.
        {"ADMIN",
         {Item("10456789124", "QUISPE MAMANI JUAN CARLOS"), Item("15102030408", "ASOCIACIÓN CIVIL LOS ANDES"),
          Item("20000000001", "EMPRESA DE PRUEBA S.A."), Item("20100070970", "COMERCIAL ANDINA S.A.C."),
          Item("20512345671", "INDUSTRIAS DEL SUR S.A."),
          Item("20601234565", "AGROEXPORTADORA VALLE VERDE S.A.C.")}},
        // Any other kind sees its own.
        {"CONTADOR",
         {Item("10456789124", "QUISPE MAMANI JUAN CARLOS"), Item("20000000001", "EMPRESA DE PRUEBA S.A."),
          Item("20601234565", "AGROEXPORTADORA VALLE VERDE S.A.C.")}},
        // A user without a row in CLAVES owns none of them.
        {"NADIE", {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.usuario);
        App().gUsuario = QString::fromLatin1(c.usuario);
        Frm947& f = Abrir();
        QStringList items;
        for (int i = 0; i < f.CmbRuc->ListCount(); ++i)
            items << f.CmbRuc->List(i);
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(f.CmbRuc->ListIndex(), -1);
    }
}

// Each new declaration lists the taxpayers as the database holds them then, whoever
// changed them since the last one: another program, this one, or this one's work that was
// rolled back.
TEST_F(VentanaContribuyente, EachOpeningListsTheTaxpayersAsTheyAreNow)
{
    App().gUsuario = QStringLiteral("ADMIN");
    const QString nuevo = Item("20131312955", "NUEVO CONTRIBUYENTE S.A.");
    const QString alta = QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) "
                                        "VALUES (6, '20131312955', 1, 'NUEVO CONTRIBUYENTE S.A.', 'ADMIN')");
    const auto items = [this] {
        Frm947& f = Abrir();
        QStringList l;
        for (int i = 0; i < f.CmbRuc->ListCount(); ++i)
            l << f.CmbRuc->List(i);
        return l;
    };
    const QStringList antes = items();
    ASSERT_EQ(items(), antes);
    ASSERT_FALSE(antes.contains(nuevo));

    // Another program adds a taxpayer.
    dao::Database::Open(App().gRutaBD)->Execute(alta);
    QStringList ahora = items();
    EXPECT_EQ(ahora.size(), antes.size() + 1);
    EXPECT_TRUE(ahora.contains(nuevo));

    // This program takes it away, and renames another taxpayer.
    Ejecutar(QStringLiteral("DELETE FROM CONT WHERE DOC_ID_D='20131312955'"));
    Ejecutar(QStringLiteral("UPDATE CONT SET NOMBRE='OTRO NOMBRE S.A.' WHERE DOC_ID_D='20000000001'"));
    ahora = items();
    EXPECT_FALSE(ahora.contains(nuevo));
    EXPECT_TRUE(ahora.contains(Item("20000000001", "OTRO NOMBRE S.A.")));
    Ejecutar(QStringLiteral("UPDATE CONT SET NOMBRE='EMPRESA DE PRUEBA S.A.' WHERE DOC_ID_D='20000000001'"));
    EXPECT_EQ(items(), antes);

    // A list read inside work that is then rolled back does not outlive that work.
    App().gBaseDatos->BeginTrans();
    Ejecutar(alta);
    EXPECT_TRUE(items().contains(nuevo));
    App().gBaseDatos->Rollback();
    EXPECT_EQ(items(), antes);

    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanaContribuyente, ChoosingATaxpayerShowsItsNameAndFixesItsNumber)
{
    Frm947& f = Abrir();
    Elegir(f, QStringLiteral("20100070970"));
    EXPECT_EQ(f.TxtRazon->Text(), QStringLiteral("   COMERCIAL ANDINA S.A.C."));
    EXPECT_EQ(f.NumDocumento, QStringLiteral("20100070970"));
    EXPECT_EQ(f.mModelo.Resp().NumDocumento, QStringLiteral("20100070970"));
    EXPECT_TRUE(f.mModificado);
    EXPECT_EQ(msgs_->Count(), 0);
    // The name is cut to the 50 characters from the 16th.
    Ejecutar(QStringLiteral("UPDATE CONT SET NOMBRE=? WHERE DOC_ID_D=?"),
             {QString(60, QLatin1Char('N')), QStringLiteral("20512345671")});
    Frm947& g = Abrir();
    Elegir(g, QStringLiteral("20512345671"));
    EXPECT_EQ(g.TxtRazon->Text(), QStringLiteral("   ") + QString(47, QLatin1Char('N')));
}

TEST_F(VentanaContribuyente, ATaxpayerWithADeclarationOfThePeriodIsRefused)
{
    App().gPeriodo = QStringLiteral("201405");
    Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                            "VALUES (6, ?, ?, ?, 0, 0)"),
             {QStringLiteral("20512345671"), QStringLiteral("201405"), QStringLiteral("0947")});
    Frm947& f = Abrir();
    Elegir(f, QStringLiteral("20100070970"));
    for (int i : {1, 2, 5})
        f.Frame1[i]->setVisible(true);
    f.SSTab1->setCurrentIndex(3);
    msgs_->Clear();

    Elegir(f, QStringLiteral("20512345671"));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La declaración que desea registrar ya existe, elija la opción "
                                                 "modificar declaración o elija otro contribuyente."));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
    EXPECT_EQ(f.SSTab1->currentIndex(), 0);
    for (int i : {1, 2, 5})
        EXPECT_TRUE(f.Frame1[i]->isHidden()) << i;
    EXPECT_EQ(f.TxtRazon->Text(), QStringLiteral("   INDUSTRIAS DEL SUR S.A."));
    EXPECT_EQ(f.NumDocumento, QStringLiteral("20100070970"));

    // The same taxpayer in another period, or another taxpayer, is free.
    Elegir(f, QStringLiteral("15102030408"));
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(f.NumDocumento, QStringLiteral("15102030408"));
    App().gPeriodo = QStringLiteral("201408");
    Elegir(f, QStringLiteral("20512345671"));
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(f.NumDocumento, QStringLiteral("20512345671"));
}

TEST_F(VentanaContribuyente, ANewDeclarationNeverShowsStoredRows)
{
    // Stored rows of two taxpayers for the period; the second one also has its header.
    App().gPeriodo = QStringLiteral("201405");
    for (const char* ruc : {"20100070970", "20512345671"})
        for (const auto& [casilla, valor] : {std::pair{"500", "1234"}, std::pair{"461", "900"}})
            Ejecutar(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                    "i_valor, idcasilla) VALUES (6, ?, ?, ?, 0, ?, ?, '01')"),
                     {QString::fromLatin1(ruc), QStringLiteral("201405"), QStringLiteral("0947"),
                      QString::fromLatin1(casilla), QString::fromLatin1(valor)});
    Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                            "VALUES (6, ?, ?, ?, 0, 0)"),
             {QStringLiteral("20512345671"), QStringLiteral("201405"), QStringLiteral("0947")});
    Frm947& f = Abrir();
    f.TxtValor[501]->SetText(QStringLiteral("77"));
    f.TxtValor[208]->SetText(QStringLiteral("2010"));
    f.TxtValor[211]->SetText(QStringLiteral("A-1"));
    for (const char* ruc : {"20100070970", "20512345671", "20000000001"}) {
        SCOPED_TRACE(ruc);
        Elegir(f, QString::fromLatin1(ruc));
        for (int n : {500, 501, 461, 463, 531})
            EXPECT_EQ(f.TxtValor[n]->Text(), QString()) << n;
        EXPECT_EQ(f.TxtValor[208]->Text(), QStringLiteral("2010"));
        EXPECT_EQ(f.TxtValor[211]->Text(), QStringLiteral("A-1"));
    }
}

// The list's filter counts characters as the database does: a number with a letter outside
// the basic plane is 11 characters long, 12 halves of characters. It is cut, shown and
// chosen whole, and the name starts after the seven blanks.
TEST_F(VentanaContribuyente, NumbersAreCutByCharactersAsTheFilterCountsThem)
{
    const QString ancho = QStringLiteral("2010007097") + QString::fromUcs4(U"\U0001D7D8");
    ASSERT_EQ(ancho.size(), 12);
    Ejecutar(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) "
                            "VALUES (6, ?, 1, ?, 'ADMIN')"),
             {ancho, QStringLiteral("PLANO ASTRAL S.A.")});
    App().gUsuario = QStringLiteral("ADMIN");
    App().gPeriodo = QStringLiteral("201405");
    Frm947& f = Abrir();
    Elegir(f, ancho);
    ASSERT_EQ(f.CmbRuc->Text(), Item("", "PLANO ASTRAL S.A.").prepend(ancho));
    EXPECT_EQ(f.RucDeLista(), ancho);
    EXPECT_EQ(f.NumDocumento, ancho);
    EXPECT_EQ(f.TxtRazon->Text(), QStringLiteral("   PLANO ASTRAL S.A."));
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanaContribuyente, ZoneListAndTheAccountantsZoneCode)
{
    Frm947& f = Abrir();
    ASSERT_EQ(f.CmbZona->ListCount(), 7);
    EXPECT_EQ(f.CmbZona->List(0), QString(115, QLatin1Char(' ')) + QStringLiteral("00"));
    EXPECT_EQ(f.CmbZona->List(1), QStringLiteral("AMAZONAS") + QString(100, QLatin1Char(' ')) + QStringLiteral("01"));
    EXPECT_EQ(f.CmbZona->ListIndex(), -1);
    f.CmbZona->SetListIndex(2);
    EXPECT_EQ(f.TxtValor[209]->Text(), QStringLiteral("15"));
    EXPECT_TRUE(f.mModificado);
    f.CmbZona->SetListIndex(0);
    EXPECT_EQ(f.TxtValor[209]->Text(), QStringLiteral("00"));

    // A long description is cut to 15 characters; no rows, no list.
    Ejecutar(QStringLiteral("UPDATE PARAM SET Funcion=? WHERE Numero='030' AND Argumento='17'"),
             {QStringLiteral("MADRE DE DIOS - ZONA DE SELVA")});
    Frm947& g = Abrir();
    EXPECT_EQ(g.CmbZona->List(4), QStringLiteral("MADRE DE DIOS -") + QString(100, QLatin1Char(' ')) +
                                      QStringLiteral("17"));
    Ejecutar(QStringLiteral("DELETE FROM PARAM WHERE Numero='030'"));
    Frm947& h = Abrir();
    EXPECT_EQ(h.CmbZona->ListCount(), 0);
}

TEST_F(VentanaContribuyente, TaxUnitOfTheLastYearNotAfterTheDeclarations)
{
    struct Caso {
        const char* nombre;
        const char* periodo;
        const char* cambio;   // SQL run first, or nullptr
        const char* uit;
    };
    const Caso casos[] = {
        {"year with a row", "201805", nullptr, "4150"},
        {"year alone", "2018", nullptr, "4150"},
        {"year without a row takes the one before", "201805", "DELETE FROM PARAM WHERE Numero='404' AND "
                                                              "Argumento='2018'", "4050"},
        {"after the last row", "203008", nullptr, "5500"},
        {"before the first row", "199905", nullptr, "0"},
        {"no rows at all", "201805", "DELETE FROM PARAM WHERE Numero='404'", "0"},
        {"no period", "", nullptr, "0"},
        {"value between blanks", "201705", "UPDATE PARAM SET Funcion='  4050  ' WHERE Numero='404' AND "
                                           "Argumento='2017'", "4050"},
        {"value that starts with letters", "201705", "UPDATE PARAM SET Funcion='UIT 4050' WHERE Numero='404' "
                                                     "AND Argumento='2017'", "0"},
        {"argument that is no year", "201705", "INSERT INTO PARAM (Numero, Argumento, Funcion) "
                                               "VALUES ('404', '99', '9999')", "4050"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TearDown();
        SetUp();
        if (c.cambio)
            Ejecutar(QString::fromLatin1(c.cambio));
        App().gPeriodo = QString::fromLatin1(c.periodo);
        Frm947& f = Abrir();
        EXPECT_EQ(f.mUIT, QString::fromLatin1(c.uit));
        EXPECT_EQ(f.mModelo.Resp().mUIT, QString::fromLatin1(c.uit));
    }
}

} // namespace
