#pragma once
// The application object of KZ947. An error that no handler traps reaches the event loop;
// there it is shown and the program ends through its close hooks, rather than aborting
// with the database open.
#include <QApplication>

#include <exception>

class Aplicacion : public QApplication {
public:
    Aplicacion(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the error (its description, a line feed, its number) and ends the program.
[[noreturn]] void ErrorNoAtrapado(const std::exception& e);
