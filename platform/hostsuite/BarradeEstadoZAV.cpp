#include "platform/hostsuite/BarradeEstadoZAV.h"

#include <QLabel>

namespace zav {
namespace {

QLabel* Campo(QWidget* parent, const char* name, int minWidth)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(minWidth);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

BarradeEstadoZAV::BarradeEstadoZAV(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("BarradeEstadoZAV1"));
    setSizeGripEnabled(false);
    doc_ = Campo(this, "numdoc", 130);
    nombre_ = Campo(this, "razonsocial", 200);
    periodoLbl_ = Campo(this, "periodo_ejercicio", 110);
    formularioLbl_ = Campo(this, "formulario", 110);
    addWidget(doc_);
    addWidget(nombre_, 1);
    addWidget(periodoLbl_);
    addWidget(formularioLbl_);
    ShowDoc();
    setRazonsocial(QString());
    setPeriodo_ejercicio(QString());
    setFormulario(QString());
}

void BarradeEstadoZAV::ShowDoc()
{
    doc_->setText((esruc_ == 1 ? QStringLiteral("RUC: ") : QStringLiteral("Doc.: ")) + numdoc_);
}

void BarradeEstadoZAV::setEsruc(int value)
{
    esruc_ = value;
    ShowDoc();
}

void BarradeEstadoZAV::setNumdoc(const QString& value)
{
    numdoc_ = value;
    ShowDoc();
}

void BarradeEstadoZAV::setRazonsocial(const QString& value)
{
    razonsocial_ = value;
    nombre_->setText(QStringLiteral("Razón Social: ") + value);
}

void BarradeEstadoZAV::setPeriodo_ejercicio(const QString& value)
{
    periodo_ = value;
    periodoLbl_->setText(QStringLiteral("Periodo: ") + value);
}

void BarradeEstadoZAV::setFormulario(const QString& value)
{
    formulario_ = value;
    formularioLbl_->setText(QStringLiteral("Formulario: ") + value);
}

QString BarradeEstadoZAV::TextoCampo(int campo) const
{
    switch (campo) {
    case 0:
        return doc_->text();
    case 1:
        return nombre_->text();
    case 2:
        return periodoLbl_->text();
    case 3:
        return formularioLbl_->text();
    default:
        return QString();
    }
}

} // namespace zav
