#include "platform/ui/ModalRunner.h"

#include <QDialog>

namespace zav {
namespace {
ModalRunnerScope* gRunner = nullptr;
}

ModalRunnerScope::ModalRunnerScope(Runner runner) : runner_(std::move(runner)), previous_(gRunner)
{
    gRunner = this;
}

ModalRunnerScope::~ModalRunnerScope() { gRunner = previous_; }

int RunModal(QDialog& dlg)
{
    if (!gRunner)
        return dlg.exec();
    ModalRunnerScope* scope = gRunner;
    scope->ran_.append(dlg.objectName().isEmpty() ? QString::fromLatin1(dlg.metaObject()->className())
                                                  : dlg.objectName());
    return scope->runner_ ? scope->runner_(dlg) : QDialog::Rejected;
}

} // namespace zav
