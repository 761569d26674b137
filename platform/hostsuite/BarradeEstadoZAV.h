#pragma once
// The host suite's status bar: document, name, period and form of the declaration in hand.
// The program only writes its fields; the getters serve tests.
#include <QStatusBar>
#include <QString>

class QLabel;

namespace zav {

class BarradeEstadoZAV : public QStatusBar {
    Q_OBJECT
    Q_PROPERTY(int esruc READ esruc WRITE setEsruc)
    Q_PROPERTY(QString numdoc READ numdoc WRITE setNumdoc)
    Q_PROPERTY(QString razonsocial READ razonsocial WRITE setRazonsocial)
    Q_PROPERTY(QString periodo_ejercicio READ periodo_ejercicio WRITE setPeriodo_ejercicio)
    Q_PROPERTY(QString formulario READ formulario WRITE setFormulario)

public:
    explicit BarradeEstadoZAV(QWidget* parent = nullptr);

    // 1: the document is a taxpayer number ("RUC:"); any other value: "Doc.:".
    void setEsruc(int value);
    void setNumdoc(const QString& value);
    void setRazonsocial(const QString& value);
    void setPeriodo_ejercicio(const QString& value);
    void setFormulario(const QString& value);

    int esruc() const { return esruc_; }
    QString numdoc() const { return numdoc_; }
    QString razonsocial() const { return razonsocial_; }
    QString periodo_ejercicio() const { return periodo_; }
    QString formulario() const { return formulario_; }

    // What a field shows, caption included: 0 document, 1 name, 2 period, 3 form.
    QString TextoCampo(int campo) const;

private:
    void ShowDoc();

    int esruc_ = 1;
    QString numdoc_, razonsocial_, periodo_, formulario_;
    QLabel* doc_;
    QLabel* nombre_;
    QLabel* periodoLbl_;
    QLabel* formularioLbl_;
};

} // namespace zav
