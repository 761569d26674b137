#include "platform/ui/ControlHelpers.h"

#include "common/Cp1252.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace zav {

QColor ColorFromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int BgrFromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

int ShiftOf(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
           ((m & Qt::AltModifier) ? 4 : 0);
}

int KeyAsciiOf(const QKeyEvent& e)
{
    const auto m = e.modifiers();
    const bool ctrl = m & Qt::ControlModifier;
    const bool alt = m & Qt::AltModifier;
    if (alt)
        return 0;   // Alt combinations are accelerators, not characters
    switch (e.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if (ctrl) {
        if (e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
            return e.key() - Qt::Key_A + 1;
        return 0;
    }
    const QString t = e.text();
    if (t.isEmpty())
        return 0;
    const QChar c = t.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return 0;
    return AnsiCode(c);
}

int KeyCodeOf(const QKeyEvent& e)
{
    const int k = e.key();
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return keypad ? 106 : 56;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    // Shifted digit row of a US keyboard: the key is the digit's.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Greater: return 190;
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

bool Enabled(const QWidget* w)
{
    return w && !w->testAttribute(Qt::WA_ForceDisabled);
}

bool Visible(const QWidget* w)
{
    // A widget is hidden until its window shows; only an explicit hide counts here.
    return w && !(w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden));
}

void SetBackColor(QWidget* w, int bgr)
{
    QPalette p = w->palette();
    const QColor c = ColorFromBgr(bgr);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

void SetForeColor(QWidget* w, int bgr)
{
    QPalette p = w->palette();
    const QColor c = ColorFromBgr(bgr);
    // Disabled controls keep the greyed text.
    for (auto g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Text, c);
        p.setColor(g, QPalette::WindowText, c);
        p.setColor(g, QPalette::ButtonText, c);
    }
    w->setPalette(p);
}

void PostFocusNext(QWidget* from)
{
    if (!from)
        return;
    QTimer::singleShot(0, from, [from] {
        QWidget* target = from->window()->focusWidget();
        if (!target)
            target = from;
        // The same Tab a user would press, so the window's own tab rules apply.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(target, &tab);
    });
}

void SetClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool VuelveDeOtraVentana(const QWidget* ventana, const QEvent* e, bool& alVolver)
{
    if (e->type() == QEvent::WindowDeactivate) {
        const QWidget* nueva = QApplication::activeWindow();
        alVolver = nueva && nueva != ventana && !qobject_cast<const QMessageBox*>(nueva);
    } else if (e->type() == QEvent::WindowActivate && alVolver) {
        alVolver = false;
        return true;
    }
    return false;
}

} // namespace zav
