// The host window as the module's programs and the user see it.
#include "integrador/MainWindow.h"
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace integrador {
namespace {

QStringList items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Each test in a host workspace of its own, with the module's Windows folder in it.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        qputenv("WINDIR", QFile::encodeName(tmp_.filePath(QStringLiteral("windows"))));
    }
    void TearDown() override { qputenv("WINDIR", windir_); }

    QString Host() const { return tmp_.filePath(QStringLiteral("host")); }

private:
    QTemporaryDir tmp_;
    const QByteArray windir_ = qgetenv("WINDIR");
};

TEST_F(MainWindowTest, CaptionIsZavAndTheListFollowsTmp)
{
    const QString host = Host();
    ASSERT_TRUE(InitWorkspace(host, false).ok);

    MainWindow w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZAV"));
    EXPECT_EQ(w.CmdIniciar()->text(), QStringLiteral("Iniciar KZ947"));
    EXPECT_EQ(items(w.LstTmp()), QStringList{QStringLiteral("env947.txt")});
    EXPECT_EQ(w.LstTmp()->editTriggers(), QAbstractItemView::NoEditTriggers);

    for (const char* name : {"0947 ERROR.TXT", "062012345678901094720130500.ERR"}) {
        QFile f(QDir(host).filePath(QStringLiteral("TMP/")) + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    w.CmdActualizar()->click();
    EXPECT_EQ(items(w.LstTmp()),
              (QStringList{QStringLiteral("062012345678901094720130500.ERR"),
                           QStringLiteral("0947 ERROR.TXT"), QStringLiteral("env947.txt")}));
}

TEST_F(MainWindowTest, ListsStoredDeclarationsForTheReceipt)
{
    const InitResult r = InitWorkspace(Host(), true);
    ASSERT_TRUE(r.ok);
    {
        MainWindow w;
        EXPECT_EQ(w.LstDeclaraciones()->count(), 0);
        // Nothing chosen: nothing started.
        w.CmdConstancia()->click();
        EXPECT_EQ(w.statusBar()->currentMessage(), QStringLiteral("Elija una declaración grabada"));
        w.CmdVerificar()->click();
        EXPECT_EQ(w.statusBar()->currentMessage(), QStringLiteral("Elija una declaración grabada"));
    }
    {
        test::TestDb db(r.dbFile);
        db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA) VALUES "
                               "(6, '20100070970', '201305', '0947', 0)"));
    }
    MainWindow w;
    EXPECT_EQ(items(w.LstDeclaraciones()), QStringList{QStringLiteral("0620100070970    09472013050")});
    EXPECT_EQ(w.TxtConstancia()->text(), QStringLiteral("00000001"));
    // The test program's folder holds no 0947REP: the reason is shown.
    w.LstDeclaraciones()->setCurrentRow(0);
    w.CmdConstancia()->click();
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith(QStringLiteral("No se encuentra el programa 0947REP")));
    // The checker is started on the chosen declaration the same way.
    w.CmdVerificar()->click();
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith(QStringLiteral("No se encuentra el programa 0947CNSINF")));
    // Sending starts the checker first: without it nothing is sent.
    w.CmdEnviar()->click();
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith(QStringLiteral("No se encuentra el programa 0947CNSINF")));
    w.CmdActualizar()->click();
    EXPECT_EQ(w.LstDeclaraciones()->currentRow(), 0);
    EXPECT_EQ(test::TestDb(r.dbFile).value(QStringLiteral("SELECT COUNT(*) FROM HCAB")).toInt(), 0);
}

// A declaration saved with inconsistencies is refused before anything is started.
TEST_F(MainWindowTest, SendRefusesADeclarationSavedInStateNine)
{
    const InitResult r = InitWorkspace(Host(), true);
    ASSERT_TRUE(r.ok);
    test::TestDb db(r.dbFile);
    db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) VALUES "
                           "(6, '20100070970', '201305', '0947', 0, 9)"));
    MainWindow w;
    w.LstDeclaraciones()->setCurrentRow(0);
    w.CmdEnviar()->click();
    EXPECT_EQ(w.statusBar()->currentMessage(),
              QStringLiteral("La declaración 20100070970 del periodo 201305 fue grabada con inconsistencias (estado 9) "
                             "y no puede enviarse."));
    EXPECT_EQ(db.value(QStringLiteral("SELECT COUNT(*) FROM HCAB")).toInt(), 0);
}

// Return and Enter press the focused button, as on every window of the desktop.
TEST_F(MainWindowTest, ReturnAndEnterPressTheFocusedButton)
{
    const QString host = Host();
    ASSERT_TRUE(InitWorkspace(host, false).ok);
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    w.CmdActualizar()->setFocus();
    for (const auto& [tecla, nombre] : {std::pair{Qt::Key_Return, "A.TXT"}, std::pair{Qt::Key_Enter, "B.TXT"}}) {
        QFile f(QDir(host).filePath(QStringLiteral("TMP/")) + QString::fromLatin1(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QTest::keyClick(QApplication::focusWidget(), tecla, tecla == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_TRUE(items(w.LstTmp()).contains(QString::fromLatin1(nombre))) << nombre;
    }
}

} // namespace
} // namespace integrador
