#pragma once
// Every modal window is created by its caller, shown through RunModal and released by
// the caller. Tests install a runner that drives the window and closes it, so no test
// ever waits on exec().
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

namespace zav {

// Shows dlg modally (exec() unless a test runner is installed); returns its result code.
int RunModal(QDialog& dlg);

// Installs a runner for its lifetime; the previous runner comes back on destruction.
// Keeps the objectName (or, when empty, the class name) of every window it ran.
class ModalRunnerScope {
public:
    using Runner = std::function<int(QDialog&)>;
    explicit ModalRunnerScope(Runner runner);
    ~ModalRunnerScope();
    ModalRunnerScope(const ModalRunnerScope&) = delete;
    ModalRunnerScope& operator=(const ModalRunnerScope&) = delete;

    const QStringList& Ran() const { return ran_; }

private:
    friend int RunModal(QDialog&);
    Runner runner_;
    ModalRunnerScope* previous_;
    QStringList ran_;
};

} // namespace zav
