#include "platform/ui/ModalRunner.h"

#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zav;

namespace {

class frmPrueba : public QDialog {
public:
    frmPrueba()
    {
        setObjectName(QStringLiteral("frmPrueba"));
        edit = new QLineEdit(this);
    }
    QLineEdit* edit;
};

TEST(ModalRunner, InstalledRunnerDrivesTheWindowAndReportsWhichRan)
{
    QString typed;
    ModalRunnerScope scope([&](QDialog& dlg) {
        auto* f = dynamic_cast<frmPrueba*>(&dlg);
        if (f) {
            f->edit->setText(QStringLiteral("20100047218"));
            typed = f->edit->text();
            dlg.accept();
        }
        return dlg.result();
    });
    frmPrueba f;
    EXPECT_EQ(RunModal(f), QDialog::Accepted);
    EXPECT_EQ(typed, QStringLiteral("20100047218"));

    QDialog unnamed;
    EXPECT_EQ(RunModal(unnamed), QDialog::Rejected);
    EXPECT_EQ(scope.Ran(), (QStringList{QStringLiteral("frmPrueba"), QStringLiteral("QDialog")}));
}

TEST(ModalRunner, InnerScopeHandsBackToOuter)
{
    ModalRunnerScope outer([](QDialog&) { return 7; });
    {
        ModalRunnerScope inner([](QDialog&) { return 3; });
        QDialog d;
        EXPECT_EQ(RunModal(d), 3);
    }
    QDialog d;
    EXPECT_EQ(RunModal(d), 7);
    EXPECT_EQ(outer.Ran().size(), 1);
}

TEST(ModalRunner, WithoutRunnerTheWindowRunsItsOwnLoop)
{
    QDialog d;
    QTimer::singleShot(0, &d, [&] { d.done(5); });
    EXPECT_EQ(RunModal(d), 5);
    EXPECT_FALSE(d.isVisible());
}

} // namespace
