#pragma once
// The stored-declarations list and the sent-declarations list.
#include <QDialog>

class FrmContAbrir : public QDialog {
    Q_OBJECT
public:
    explicit FrmContAbrir(QWidget* parent = nullptr);

    int Modo = 0;   // 1 modify, 3 delete
};

class FrmContAbrirEnv : public QDialog {
    Q_OBJECT
public:
    explicit FrmContAbrirEnv(QWidget* parent = nullptr);
};
