// The host window as the module's programs and the user see it.
#include "integrador/MainWindow.h"
#include "integrador/Workspace.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
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
    EXPECT_TRUE(items(w.LstTmp()).isEmpty());
    EXPECT_EQ(w.LstTmp()->editTriggers(), QAbstractItemView::NoEditTriggers);

    for (const char* name : {"0947 ERROR.TXT", "062012345678901094720130500.ERR"}) {
        QFile f(QDir(host).filePath(QStringLiteral("TMP/")) + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    w.CmdActualizar()->click();
    EXPECT_EQ(items(w.LstTmp()),
              (QStringList{QStringLiteral("062012345678901094720130500.ERR"),
                           QStringLiteral("0947 ERROR.TXT")}));

    qputenv("WINDIR", old);
}

} // namespace
} // namespace integrador
