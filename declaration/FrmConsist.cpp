#include "declaration/FrmConsist.h"

#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Runtime.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Impresora.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmConsist::FrmConsist(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmConsist"));
    setWindowTitle(QStringLiteral("Inconsistencias detectadas"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("En su declaración se han detectado las siguientes inconsistencias :"));
    Label1->setObjectName(QStringLiteral("Label1"));
    TxtPreliminar = new QPlainTextEdit;
    TxtPreliminar->setObjectName(QStringLiteral("TxtPreliminar"));
    TxtPreliminar->setReadOnly(true);
    // A rule's message is read whole: long lines wrap at the box's width (a word too long
    // for it is broken too).
    TxtPreliminar->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TxtPreliminar->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    TxtPreliminar->setFont(courier);
    CmdGrabar = new QPushButton(QStringLiteral("&Aceptar"));
    CmdGrabar->setObjectName(QStringLiteral("CmdGrabar"));
    CmdImprimir = new QPushButton(QStringLiteral("&Imprimir"));
    CmdImprimir->setObjectName(QStringLiteral("CmdImprimir"));

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdGrabar);
    botones->addWidget(CmdImprimir);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(TxtPreliminar, 1);
    v->addLayout(botones);
    resize(zav::TwipsToPixels(9000), zav::TwipsToPixels(5000));

    connect(CmdGrabar, &QPushButton::clicked, this, [this] { FrmConsist_CmdGrabar_Click(); });
    connect(CmdImprimir, &QPushButton::clicked, this, [this] { FrmConsist_CmdImprimir_Click(); });
}

void FrmConsist::FrmConsist_Form_Load()
{
    zav::SetHourglass(false);
    QFile f(App().gArchivo);
    QString texto;
    if (f.open(QIODevice::ReadOnly))
        texto = zav::FromCp1252(f.readAll());
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    TxtPreliminar->setPlainText(texto);
}

void FrmConsist::FrmConsist_CmdGrabar_Click()
{
    App().gRespuesta = QStringLiteral("A");
    done(QDialog::Accepted);
}

void FrmConsist::FrmConsist_CmdImprimir_Click()
{
    ImprimeInconsistencias();
}

void FrmConsist::done(int r)
{
    App().gRespuesta = QStringLiteral("A");
    QDialog::done(r);
}

// ---- printout -------------------------------------------------------------------------------------

void ImprimeInconsistencias()
{
    zav::SetHourglass(true);
    QFile archivo(App().gArchivo);
    try {
        const QDateTime ahora = zav::Now();
        ImprimeTexto(400, 300, zav::FormatDate(ahora.date(), QStringLiteral("dd/mm/yyyy")), true, 8);
        ImprimeTexto(4500, 300, QStringLiteral("INCONSISTENCIAS DETECTADAS "), true, 8);
        ImprimeTexto(400, 570, ahora.time().toString(QStringLiteral("HH:mm:ss")), true, 8);
        ImprimeTexto(3500, 570, QStringLiteral("MORVATH"), true, 8);

        if (!archivo.open(QIODevice::ReadOnly))
            throw zav::RuntimeError(53);
        QList<QByteArray> lineas = archivo.readAll().split('\n');
        if (!lineas.isEmpty() && lineas.last().isEmpty())
            lineas.removeLast();
        int k = 0;
        int j = 0;   // lines on the current page
        for (QByteArray linea : lineas) {
            if (linea.endsWith('\r'))
                linea.chop(1);
            ++k;
            ++j;
            ImprimeTexto(400, 1000 + 270 * (j - 1), zav::Str(k) + QStringLiteral(". ") + zav::FromCp1252(linea), false, 8);
            if (j == 40) {
                zav::Printer().NewPage();
                j = 0;
            }
        }
        ImprimeTexto(500, 1000 + 270 * j, QStringLiteral(" Inconsistencias Detectadas : ") + zav::Str(k), false, 8);
        DibujaRecuadro(300, 720, 10000, 1270 + 270 * j);
        archivo.close();
        zav::Printer().EndDoc();
    } catch (const zav::RuntimeError& e) {
        archivo.close();
        // The job is ended whatever stopped it, so nothing is left half sent.
        try {
            zav::Printer().EndDoc();
        } catch (const zav::RuntimeError&) {
        }
        zav::SetHourglass(false);
        const QString titulo = QStringLiteral("Impresión");
        switch (e.Number) {
        case 482:
            zav::MsgBox(QStringLiteral("No existe una impresora seleccionada.Verifique."), 16, titulo);
            break;
        case 380:
            zav::MsgBox(QStringLiteral("No Existe Información a Imprimir.Verifique."), 16, titulo);
            break;
        case 20545:
            zav::MsgBox(QStringLiteral("La Impresión ha sido Cancelada."), 16, titulo);
            break;
        case 55:
            break;
        default:
            zav::MsgBox(QStringLiteral("Error Técnico : (") + zav::Str(e.Number) + QStringLiteral(") ") + e.Description(),
                        16, titulo);
        }
        return;
    }
    zav::SetHourglass(false);
    QCoreApplication::processEvents();
}
