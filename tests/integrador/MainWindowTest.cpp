// The host window as the module's programs and the user see it.
#include "integrador/MainWindow.h"
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QPushButton>
#include <QTemporaryDir>

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

TEST(MainWindowTest, CaptionIsZavAndTheListFollowsTmp)
{
    QTemporaryDir tmp;
    const QByteArray old = qgetenv("WINDIR");
    qputenv("WINDIR", QFile::encodeName(tmp.filePath(QStringLiteral("windows"))));
    const QString host = tmp.filePath(QStringLiteral("host"));
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

    qputenv("WINDIR", old);
}

TEST(MainWindowTest, ListsStoredDeclarationsForTheReceipt)
{
    QTemporaryDir tmp;
    const QByteArray old = qgetenv("WINDIR");
    qputenv("WINDIR", QFile::encodeName(tmp.filePath(QStringLiteral("windows"))));
    const InitResult r = InitWorkspace(tmp.filePath(QStringLiteral("host")), true);
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
    w.CmdActualizar()->click();
    EXPECT_EQ(w.LstDeclaraciones()->currentRow(), 0);
    qputenv("WINDIR", old);
}

} // namespace
} // namespace integrador
