#include "ShellFixture.h"

#include "common/Clock.h"
#include "declaration/Frm947.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "shell/Consultas.h"
#include "shell/FrmContAbrir.h"
#include "shell/MDIFrm.h"
#include "shell/modulo/Procedimientos.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

// What a window saw of the shared state when it was shown.
struct Visto {
    QString ventana;
    int modo = -1;   // the window's mode member, -1 when it has none
    int gOpcion = 0;
    bool gModoEnviadas = false;
    bool gEnviadas = false;
    QString gPeriodo;
    QString gPeriodoSel;
    QString titulo;
};

class MainWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (HasFatalFailure())
            return;
        zav::SetClockForTests([] { return QDateTime(QDate(2014, 5, 15), QTime(10, 0)); });
        frm_ = std::make_unique<MDIFrm>();
        frm_->MDIForm_Load();
    }
    void TearDown() override
    {
        frm_.reset();
        zav::SetClockForTests({});
        ShellFixture::TearDown();
    }

    // Runs the entry with a runner that notes what each window saw; the state before is
    // the opposite of what the entries set, so that every assignment shows.
    std::vector<Visto> Run(const std::function<void()>& entrada)
    {
        AppState& a = App();
        a.gOpcion = 99;
        a.gModoEnviadas = true;
        a.gEnviadas = true;
        a.gPeriodo = QStringLiteral("201305");
        a.gPeriodoSel = QStringLiteral("201305");
        frm_->BarradeEstadoZAV1->setRazonsocial(QStringLiteral("ACME"));
        std::vector<Visto> vistos;
        zav::ModalRunnerScope runner([&](QDialog& dlg) {
            const AppState& s = App();
            Visto v{dlg.objectName(), -1, s.gOpcion, s.gModoEnviadas, s.gEnviadas, s.gPeriodo, s.gPeriodoSel,
                    dlg.windowTitle()};
            if (auto* d = qobject_cast<Frm947*>(&dlg))
                v.modo = d->Modo;
            if (auto* l = qobject_cast<FrmContAbrir*>(&dlg))
                v.modo = l->Modo;
            vistos.push_back(v);
            // As a window that left the hourglass on.
            zav::SetHourglass(true);
            return 0;
        });
        zav::SetHourglass(false);
        entrada();
        return vistos;
    }

    std::unique_ptr<MDIFrm> frm_;
};

TEST_F(MainWindowTest, MenusInDisplayOrder)
{
    const QStringList esperado{
        QStringLiteral("&Declaraciones: &Nueva|&Modificar|&Eliminar|-|&Imprimir|-|&Salir"),
        QStringLiteral("Declaraciones &Enviadas: &Registrar número de orden|&Eliminar|-|&Imprimir"),
        QStringLiteral("&Consultas: &Factores de Actualización|&Bancos|&Paises|&UIT"),
        QStringLiteral("&Ayuda: &Contenido|-|Acerca &de ZAV"),
    };
    QStringList menus;
    for (QAction* m : frm_->menuBar()->actions()) {
        QStringList entradas;
        for (QAction* e : m->menu()->actions()) {
            entradas << (e->isSeparator() ? QStringLiteral("-") : e->text());
            EXPECT_TRUE(e->isVisible() && e->isEnabled()) << e->text().toStdString();
        }
        menus << m->text() + QStringLiteral(": ") + entradas.join(QLatin1Char('|'));
    }
    EXPECT_EQ(menus, esperado);

    QStringList botones;
    for (QAction* b : frm_->Buttons)
        botones << b->text();
    EXPECT_EQ(botones, (QStringList{QStringLiteral("Nueva"), QStringLiteral("Modificar"), QStringLiteral("Eliminar"),
                                    QStringLiteral("Imprimir"), QStringLiteral("Salir"), QString(),
                                    QStringLiteral("Num. Orden"), QString(), QString(), QStringLiteral("Ayuda")}));
    EXPECT_EQ(frm_->tlbMenu->actions().size(), 10);
}

TEST_F(MainWindowTest, EveryEntrySetsTheGlobalsAndOpensItsWindow)
{
    const struct {
        const char* entrada;
        std::function<void(MDIFrm&)> disparo;
        const char* ventana;   // "" when none opens
        int modo;
        int gOpcion;           // 99 when left alone
        bool gModoEnviadas;
        bool gEnviadas;
        bool limpia;           // the status field is cleared
        const char* titulo;
    } cases[] = {
        {"Nueva", [](MDIFrm& f) { f.mnuNueva->trigger(); }, "Frm947", 0, 0, false, true, true, "0947 Morvath"},
        {"toolbar 1", [](MDIFrm& f) { f.Buttons[0]->trigger(); }, "Frm947", 0, 0, false, true, true, "0947 Morvath"},
        {"Modificar", [](MDIFrm& f) { f.mnuModificar->trigger(); }, "FrmContAbrir", 1, 1, false, false, true, ""},
        {"toolbar 2", [](MDIFrm& f) { f.Buttons[1]->trigger(); }, "FrmContAbrir", 1, 1, false, false, true, ""},
        {"Eliminar", [](MDIFrm& f) { f.mnuEliminar->trigger(); }, "FrmContAbrir", 3, 99, false, true, true, ""},
        {"toolbar 3", [](MDIFrm& f) { f.Buttons[2]->trigger(); }, "FrmContAbrir", 3, 99, false, true, true, ""},
        {"Imprimir", [](MDIFrm& f) { f.mnuImprimir->trigger(); }, "frmImprimir", -1, 99, false, false, true,
         "Imprimir declaraciones enviadas"},
        {"toolbar 4", [](MDIFrm& f) { f.Buttons[3]->trigger(); }, "frmImprimir", -1, 99, false, false, true,
         "Imprimir declaraciones enviadas"},
        {"Registrar", [](MDIFrm& f) { f.mnuRegistrar->trigger(); }, "FrmContAbrirEnv", -1, 2, true, true, false, ""},
        {"toolbar 7", [](MDIFrm& f) { f.Buttons[6]->trigger(); }, "FrmContAbrirEnv", -1, 2, true, true, false, ""},
        {"Eliminar enviada", [](MDIFrm& f) { f.mnuEliminar1->trigger(); }, "FrmContAbrirEnv", -1, 3, true, true, true,
         ""},
        {"Imprimir enviada", [](MDIFrm& f) { f.mnuImprimir1->trigger(); }, "frmImprimir", -1, 99, true, true, true,
         "Imprimir declaraciones enviadas"},
        {"Factores", [](MDIFrm& f) { f.mnuFactores->trigger(); }, "FrmConsFac", -1, 99, true, true, true,
         "Factores de Actualización"},
        {"Bancos", [](MDIFrm& f) { f.mnuDocIdent->trigger(); }, "FrmConsultas", -1, 1, true, true, true, "Bancos"},
        {"Paises", [](MDIFrm& f) { f.mnupais->trigger(); }, "FrmConsultas", -1, 2, true, true, true, "Paises"},
        {"UIT", [](MDIFrm& f) { f.mnuUIT->trigger(); }, "FrmConsultas", -1, 3, true, true, true, "UIT"},
        {"Acerca de", [](MDIFrm& f) { f.mnuAcercade->trigger(); }, "frmAcercade", -1, 99, true, true, false,
         "Acerca de ZAV "},
        {"Contenido", [](MDIFrm& f) { f.mnuContenido->trigger(); }, "", -1, 99, true, true, true, ""},
        {"toolbar 10", [](MDIFrm& f) { f.Buttons[9]->trigger(); }, "", -1, 99, true, true, true, ""},
        {"toolbar 6", [](MDIFrm& f) { f.Buttons[5]->trigger(); }, "", -1, 99, true, true, false, ""},
        {"toolbar 8", [](MDIFrm& f) { f.Buttons[7]->trigger(); }, "", -1, 99, true, true, false, ""},
        {"toolbar 9", [](MDIFrm& f) { f.tlbMenu_ButtonClick(9); }, "", -1, 99, true, true, false, ""},
    };
    const QStringList restauran{QStringLiteral("Nueva"),     QStringLiteral("toolbar 1"),
                                QStringLiteral("Modificar"), QStringLiteral("toolbar 2"),
                                QStringLiteral("Eliminar"),  QStringLiteral("toolbar 3"),
                                QStringLiteral("Registrar"), QStringLiteral("toolbar 7"),
                                QStringLiteral("Eliminar enviada"), QStringLiteral("Acerca de")};
    QStringList ayuda;
    AyudaScope scope([&](const QString& f) { ayuda << f; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entrada);
        const auto vistos = Run([&] { c.disparo(*frm_); });
        const AppState& a = App();
        if (*c.ventana) {
            ASSERT_EQ(vistos.size(), 1u);
            EXPECT_EQ(vistos[0].ventana, QString::fromLatin1(c.ventana));
            EXPECT_EQ(vistos[0].modo, c.modo);
            EXPECT_EQ(vistos[0].gOpcion, c.gOpcion);
            EXPECT_EQ(vistos[0].gModoEnviadas, c.gModoEnviadas);
            EXPECT_EQ(vistos[0].gEnviadas, c.gEnviadas);
            EXPECT_EQ(vistos[0].titulo, QString::fromUtf8(c.titulo));
            // The entries with a pointer step put the normal one back after the window.
            EXPECT_EQ(zav::IsHourglass(), !restauran.contains(QString::fromLatin1(c.entrada)));
        } else {
            EXPECT_TRUE(vistos.empty());
        }
        EXPECT_EQ(a.gOpcion, c.gOpcion);
        EXPECT_EQ(a.gModoEnviadas, c.gModoEnviadas);
        EXPECT_EQ(a.gEnviadas, c.gEnviadas);
        EXPECT_EQ(frm_->BarradeEstadoZAV1->razonsocial(), c.limpia ? QString() : QStringLiteral("ACME"));
        if (QString::fromLatin1(c.ventana) == QLatin1String("Frm947")) {
            // Nueva leaves the current year only, and no chosen period.
            EXPECT_EQ(vistos[0].gPeriodo, QStringLiteral("2014"));
            EXPECT_EQ(vistos[0].gPeriodoSel, QString());
            EXPECT_EQ(App().gFrm947, nullptr);
        }
    }
    // No help file in the workspace: nothing was launched.
    EXPECT_TRUE(ayuda.isEmpty());
}

TEST_F(MainWindowTest, NuevaWhileAnotherProgramHoldsTheDatabaseReportsAndKeepsTheProgram)
{
    const QString base = App().gBaseDatos->Name();
    std::vector<Visto> vistos;
    msgs_->Clear();
    {
        auto otro = dao::Database::Open(base, true);
        vistos = Run([&] { EXPECT_NO_THROW(frm_->mnuNueva->trigger()); });
    }
    EXPECT_TRUE(vistos.empty());
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, dao::DaoError(3051, base).Description + QStringLiteral("\n 3051"));
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_FALSE(zav::IsHourglass());
    EXPECT_FALSE(App().gCargando);
    EXPECT_EQ(App().gFrm947, nullptr);

    // Once the other program is done, Nueva opens the window.
    vistos = Run([&] { frm_->mnuNueva->trigger(); });
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos.front().ventana, QStringLiteral("Frm947"));
}

TEST_F(MainWindowTest, HelpOpensTheModuleHelpFile)
{
    QFile f(ws_.sysPath + QStringLiteral("0947/Kz947.hlp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QStringList ayuda;
    AyudaScope scope([&](const QString& archivo) { ayuda << archivo; });
    frm_->mnuContenido->trigger();
    frm_->Buttons[9]->trigger();
    EXPECT_EQ(ayuda, QStringList(2, ws_.sysPath + QStringLiteral("0947/Kz947.hlp")));
}

TEST_F(MainWindowTest, ToolbarAndMenuSalirEnd)
{
    // The end is a throw under the test's interceptor; thrown out of QAction::trigger it
    // would cross Qt frames that do not unwind (their guard's reference is lost), so the
    // actions' signals are emitted as a trigger emits them.
    int fines = 0;
    for (QAction* salir : {frm_->Buttons[4], frm_->mnuSalir}) {
        SCOPED_TRACE(salir->objectName().toStdString());
        ASSERT_TRUE(salir->isEnabled());
        EXPECT_THROW(emit salir->triggered(false), zav::ProgramEnded);
        EXPECT_FALSE(App().gBaseDatos);
        EXPECT_EQ(end_->Count(), ++fines);
    }
}

TEST_F(MainWindowTest, MouseMovesClearTheMessageField)
{
    frm_->show();
    QApplication::processEvents();
    auto extension = [&](int i) {
        const QWidget* b = frm_->tlbMenu->widgetForAction(frm_->Buttons[i - 1]);
        return std::pair<int, int>(b->x(), b->x() + b->width());
    };
    struct Caso {
        const char* donde;
        std::function<void()> mueve;
        bool limpia;
    };
    std::vector<Caso> cases;
    for (int i : {1, 2, 3, 4, 6, 8}) {
        cases.push_back({"left edge of a kept button", [&, i] { frm_->tlbMenu_MouseMove(extension(i).first); }, false});
        cases.push_back({"right edge of a kept button", [&, i] { frm_->tlbMenu_MouseMove(extension(i).second); },
                         false});
    }
    for (int i : {5, 7, 9, 10})
        cases.push_back({"middle of another button",
                         [&, i] { frm_->tlbMenu_MouseMove((extension(i).first + extension(i).second) / 2); }, true});
    cases.push_back({"past the last button", [&] { frm_->tlbMenu_MouseMove(extension(10).second + 40); }, true});
    cases.push_back({"background", [this] { frm_->imgFondo_MouseMove(); }, true});
    cases.push_back({"picture", [this] { frm_->Picture2_MouseMove(); }, true});
    cases.push_back({"window", [this] { frm_->MDIForm_MouseMove(); }, true});
    cases.push_back({"a real move over button 1", [this] {
                         QWidget* b = frm_->tlbMenu->widgetForAction(frm_->Buttons[0]);
                         QMouseEvent ev(QEvent::MouseMove, QPointF(3, 3), b->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                                        Qt::NoButton, Qt::NoModifier);
                         QApplication::sendEvent(b, &ev);
                     },
                     false});
    cases.push_back({"a real move over button 5", [this] {
                         QWidget* b = frm_->tlbMenu->widgetForAction(frm_->Buttons[4]);
                         QMouseEvent ev(QEvent::MouseMove, QPointF(3, 3), b->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                                        Qt::NoButton, Qt::NoModifier);
                         QApplication::sendEvent(b, &ev);
                     },
                     true});
    cases.push_back({"a real move over the background", [this] {
                         QMouseEvent ev(QEvent::MouseMove, QPointF(5, 5), frm_->imgFondo->mapToGlobal(QPointF(5, 5)),
                                        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                         QApplication::sendEvent(frm_->imgFondo, &ev);
                     },
                     true});
    for (const Caso& c : cases) {
        frm_->BarradeEstadoZAV1->setRazonsocial(QStringLiteral("ACME"));
        c.mueve();
        EXPECT_EQ(frm_->BarradeEstadoZAV1->razonsocial(), c.limpia ? QString() : QStringLiteral("ACME")) << c.donde;
    }
}

} // namespace
