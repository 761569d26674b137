#include "platform/ui/MsgBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>

#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace zav {
namespace {

MsgBoxRecorder* gRecorder = nullptr;
bool gSinPantalla = false;

// Escape and the close box answer Cancel when the box has one (OK alone: OK); a Yes/No
// or Abort/Retry/Ignore box cannot be dismissed without choosing, as on the original.
class ZavMessageBox : public QMessageBox {
public:
    ZavMessageBox(bool dismissable, QWidget* parent) : QMessageBox(parent), dismissable_(dismissable) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!dismissable_ && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        if (!dismissable_) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    bool dismissable_;
};

std::vector<QMessageBox::StandardButton> ButtonsOf(int style)
{
    switch (style & 0x0F) {
    case 1:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case 2:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case 3:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case 4:
        return {QMessageBox::Yes, QMessageBox::No};
    case 5:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

QMessageBox::StandardButton DefaultButtonOf(int style)
{
    const auto buttons = ButtonsOf(style);
    size_t index = 0;
    if (style & 512)
        index = 2;
    else if (style & 256)
        index = 1;
    // A default beyond the last button falls back to the first, as the original did.
    return index < buttons.size() ? buttons[index] : buttons.front();
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString EffectiveTitle(const QString& title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

// Line ends of any kind as one line feed.
QString UnSalto(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void AppendToLog(const QString& text, int style, const QString& title)
{
    const QString path = qEnvironmentVariable("ZAV_MSGBOX_LOG");
    if (path.isEmpty())
        return;
    QString flat = UnSalto(text);
    flat.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    log.write((QString::number(style) + QLatin1Char('|') + EffectiveTitle(title) + QLatin1Char('|') + flat +
               QLatin1Char('\n'))
                  .toUtf8());
}

void AErrorEstandar(const QString& text, const QString& title)
{
    const QByteArray bytes = (EffectiveTitle(title) + QLatin1String(": ") + UnSalto(text) + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

int AnswerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return vbOK;
    case QMessageBox::Cancel:
        return vbCancel;
    case QMessageBox::Abort:
        return vbAbort;
    case QMessageBox::Retry:
        return vbRetry;
    case QMessageBox::Ignore:
        return vbIgnore;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return 0;
    }
}

int DefaultAnswer(int style) { return AnswerOf(DefaultButtonOf(style)); }

std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, int style, const QString& title,
                                             QWidget* parent)
{
    const int buttons = style & 0x0F;
    const bool dismissable = buttons == 0 || buttons == 1 || buttons == 3 || buttons == 5;
    auto box = std::make_unique<ZavMessageBox>(dismissable, parent);
    box->setWindowTitle(EffectiveTitle(title));
    box->setText(text);
    box->setIcon(IconOf(style));
    QMessageBox::StandardButtons set;
    for (auto b : ButtonsOf(style))
        set |= b;
    box->setStandardButtons(set);
    box->setDefaultButton(DefaultButtonOf(style));
    return box;
}

int MsgBox(const QString& text, int style, const QString& title)
{
    AppendToLog(text, style, title);
    if (gRecorder)
        return gRecorder->Record(text, style, title);
    if (gSinPantalla) {
        AErrorEstandar(text, title);
        return DefaultAnswer(style);
    }
    auto box = BuildMessageBox(text, style, title, QApplication::activeWindow());
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    if (!clicked)
        return DefaultAnswer(style);
    return AnswerOf(box->standardButton(clicked));
}

void MsgBoxSinPantalla(bool activo) { gSinPantalla = activo; }

namespace {

// The X server named accepts a connection (its setup included, so a refused
// authorisation counts as no server).
bool ServidorX(const QByteArray& display)
{
    int pantalla = 0;
    xcb_connection_t* c = xcb_connect(display.constData(), &pantalla);
    const bool ok = c && !xcb_connection_has_error(c);
    if (c)
        xcb_disconnect(c);
    return ok;
}

// The Wayland compositor's socket (a bare name lives in XDG_RUNTIME_DIR) takes a connection.
bool CompositorWayland(const QByteArray& nombre)
{
    QByteArray ruta = nombre;
    if (!ruta.startsWith('/')) {
        const QByteArray carpeta = qgetenv("XDG_RUNTIME_DIR");
        if (carpeta.isEmpty())
            return false;
        ruta = carpeta + '/' + nombre;
    }
    sockaddr_un direccion{};
    if (size_t(ruta.size()) >= sizeof(direccion.sun_path))
        return false;
    direccion.sun_family = AF_UNIX;
    std::memcpy(direccion.sun_path, ruta.constData(), size_t(ruta.size()));
    const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return false;
    const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&direccion), sizeof(direccion)) == 0;
    ::close(s);
    return ok;
}

} // namespace

bool HayPantalla()
{
    // A platform named by the user is the user's choice.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    // A DISPLAY left over from another session names no server, and Qt's way out of
    // that is an abort.
    const QByteArray x = qgetenv("DISPLAY");
    if (!x.isEmpty() && ServidorX(x))
        return true;
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    return !wayland.isEmpty() && CompositorWayland(wayland);
}

bool PlataformaSinPantalla()
{
    const QString plataforma = QGuiApplication::platformName();
    return plataforma == QLatin1String("offscreen") || plataforma == QLatin1String("minimal");
}

MsgBoxRecorder::MsgBoxRecorder() : previous_(gRecorder) { gRecorder = this; }

MsgBoxRecorder::~MsgBoxRecorder() { gRecorder = previous_; }

QStringList MsgBoxRecorder::Texts() const
{
    QStringList out;
    for (const auto& e : entries_)
        out << e.text;
    return out;
}

int MsgBoxRecorder::Record(const QString& text, int style, const QString& title)
{
    entries_.push_back({text, style, title});
    if (answers_.empty())
        return DefaultAnswer(style);
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace zav
