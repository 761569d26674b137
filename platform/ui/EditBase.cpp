#include "platform/ui/EditBase.h"

#include "common/Cp1252.h"
#include "platform/ui/ControlsInternal.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

namespace zav {

using detail::CharOfCode;
using detail::FireKeyHandlers;
using detail::GateFocusIn;
using detail::GateFocusOut;
using detail::KeyHandlers;

namespace {

bool IsPasteKey(const QKeyEvent& e)
{
    const auto m = e.modifiers();
    return e.matches(QKeySequence::Paste) ||
           (e.key() == Qt::Key_Insert && (m & Qt::ShiftModifier)) ||
           (e.key() == Qt::Key_V && (m & Qt::ControlModifier));
}

int ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ButtonsOf(Qt::MouseButtons b)
{
    return ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
           ((b & Qt::MiddleButton) ? 4 : 0);
}

// Qt's standard edit menu names no action; its paste entry shows the paste shortcut.
bool IsPasteAction(const QAction* a)
{
    const QString text = a->text();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return false;
    const QString accel = text.mid(tab + 1);
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Paste)) {
        if (accel == k.toString(QKeySequence::NativeText))
            return true;
    }
    return false;
}

} // namespace

EditBase::EditBase(QWidget* parent)
    : QLineEdit(parent)
    , backColor_(BgrFromColor(palette().color(QPalette::Base)))
    , foreColor_(BgrFromColor(palette().color(QPalette::Text)))
{
    setMouseTracking(true);
    connect(this, &QLineEdit::textChanged, this, [this] { TextMoved(); });
}

QString EditBase::Text() const
{
    return inputMask().isEmpty() ? text() : displayText();
}

void EditBase::SetText(const QString& text)
{
    const bool was = fromCode_;
    fromCode_ = true;
    QLineEdit::setText(text);
    fromCode_ = was;
}

void EditBase::TextMoved()
{
    // Qt reports some edits that change nothing (a refused key under a mask).
    QString now = Text();
    if (now == last_)
        return;
    last_ = std::move(now);
    if (onChange)
        onChange();
}

void EditBase::SetBackColor(int bgr)
{
    backColor_ = bgr;
    zav::SetBackColor(this, bgr);
}

void EditBase::SetForeColor(int bgr)
{
    foreColor_ = bgr;
    zav::SetForeColor(this, bgr);
}

int EditBase::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void EditBase::SetSelStart(int start)
{
    setCursorPosition(qBound(0, start, static_cast<int>(text().size())));
}

int EditBase::SelLength() const
{
    return static_cast<int>(selectedText().size());
}

void EditBase::SetSelLength(int length)
{
    const int start = SelStart();
    const int len = qBound(0, length, static_cast<int>(text().size()) - start);
    if (len == 0)
        setCursorPosition(start);
    else
        setSelection(start, len);
}

void EditBase::SetNoPaste(bool on)
{
    noPaste_ = on;
    setAcceptDrops(!on);
}

void EditBase::FireLostFocus()
{
    if (onLostFocus)
        onLostFocus();
}

void EditBase::keyPressEvent(QKeyEvent* e)
{
    const KeyHandlers k = FireKeyHandlers(this, *e, onKeyDown, onKeyPress);
    if (!k.alive)
        return;
    if (k.typed == 0) {
        if (k.cancelled || (noPaste_ && IsPasteKey(*e))) {
            e->accept();
            return;
        }
        QLineEdit::keyPressEvent(e);
        return;
    }
    ApplyKey(e, k.typed, k.result);
}

void EditBase::ApplyKey(QKeyEvent* e, int typed, int result)
{
    if (result == 0) {
        e->accept();
        return;
    }
    if (result == typed) {
        if (noPaste_ && (typed == 22 || IsPasteKey(*e)))
            e->accept();
        else
            QLineEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    const bool ro = isReadOnly();
    switch (result) {
    case 8:
        if (!ro)
            backspace();
        return;
    case 13: {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QLineEdit::keyPressEvent(&enter);
        if (!enter.isAccepted())
            e->ignore();
        return;
    }
    case 3:
        copy();
        return;
    case 22:
        if (!ro && !noPaste_)
            paste();
        return;
    case 24:
        if (!ro)
            cut();
        return;
    case 26:
        if (!ro)
            undo();
        return;
    default:
        break;
    }
    if (!ro && result >= 32 && result <= 255 && result != 127)
        insert(CharOfCode(result));
}

void EditBase::inputMethodEvent(QInputMethodEvent* e)
{
    // Text committed by an input method passes the KeyPress handler character by character.
    if (!onKeyPress || e->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    QPointer<EditBase> self(this);
    QString out;
    const QString in = e->commitString();
    for (int i = 0; i < in.size(); ++i) {
        QString one(in.at(i));
        if (in.at(i).isHighSurrogate() && i + 1 < in.size())
            one += in.at(++i);
        const int typed = AnsiCode(one.at(0));
        const int result = onKeyPress(typed);
        if (!self)
            return;
        if (result == typed)
            out += one;
        else if (result >= 32 && result <= 255 && result != 127)
            out += CharOfCode(result);
    }
    QInputMethodEvent copy(e->preeditString(), e->attributes());
    copy.setCommitString(out, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&copy);
}

void EditBase::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (GateFocusIn(this) && onGotFocus) {
        const QString before = text();
        onGotFocus();
        // A handler that rewrote the text (unformatting) keeps Tab's select-all.
        if (text() != before && hasFocus() &&
            (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason) && inputMask().isEmpty())
            selectAll();
    }
    if (selectOnFocus_ && hasFocus()) {
        selectAll();
        // The press that follows places the cursor; its release selects again.
        selectAfterClick_ = e->reason() == Qt::MouseFocusReason;
    }
}

void EditBase::focusOutEvent(QFocusEvent* e)
{
    selectAfterClick_ = false;
    QLineEdit::focusOutEvent(e);
    if (GateFocusOut(this, e->reason()))
        FireLostFocus();
}

void EditBase::mousePressEvent(QMouseEvent* e)
{
    QPointer<EditBase> self(this);
    if (onMouseDown) {
        onMouseDown(ButtonOf(e->button()), ShiftOf(e->modifiers()));
        if (!self)
            return;
    }
    if (noPaste_ && e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void EditBase::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the X11 selection on release.
    if (noPaste_ && e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
    if (selectAfterClick_ && e->button() == Qt::LeftButton) {
        selectAfterClick_ = false;
        // A drag chose its own part.
        if (!hasSelectedText())
            selectAll();
    }
}

void EditBase::mouseMoveEvent(QMouseEvent* e)
{
    QPointer<EditBase> self(this);
    if (onMouseMove) {
        onMouseMove(ButtonsOf(e->buttons()), ShiftOf(e->modifiers()));
        if (!self)
            return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void EditBase::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPointer<EditBase> self(this);
    QLineEdit::mouseDoubleClickEvent(e);
    if (self && onDblClick)
        onDblClick();
}

void EditBase::contextMenuEvent(QContextMenuEvent* e)
{
    if (!noPaste_) {
        QLineEdit::contextMenuEvent(e);
        return;
    }
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (IsPasteAction(a))
            menu->removeAction(a);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
    e->accept();
}

void EditBase::dragEnterEvent(QDragEnterEvent* e)
{
    if (noPaste_) {
        e->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(e);
}

void EditBase::dragMoveEvent(QDragMoveEvent* e)
{
    if (noPaste_) {
        e->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(e);
}

void EditBase::dropEvent(QDropEvent* e)
{
    if (noPaste_) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

} // namespace zav
