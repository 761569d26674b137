#include "platform/ui/Controls.h"

#include "common/Cp1252.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTimer>
#include <QValidator>

namespace zav {

// ---------------------------------------------------------------- colours, codes

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

QString CharOfCode(int code)
{
    return FromCp1252(QByteArray(1, static_cast<char>(code)));
}

// The keys that turn the page of the strip around the focus: Ctrl+Tab and Ctrl+PageDown
// forward (1), Ctrl+Shift+Tab and Ctrl+PageUp back (-1); 0 for any other key.
int PageKeyStep(const QKeyEvent& e)
{
    const auto m = e.modifiers() & ~Qt::KeypadModifier;
    const int k = e.key();
    if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && (m & Qt::ControlModifier) && !(m & Qt::AltModifier))
        return k == Qt::Key_Backtab || (m & Qt::ShiftModifier) ? -1 : 1;
    if ((k == Qt::Key_PageDown || k == Qt::Key_PageUp) && m == Qt::ControlModifier)
        return k == Qt::Key_PageUp ? -1 : 1;
    return 0;
}

} // namespace

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

namespace {

// The button that an access key shared with tabs presses: the one visible, enabled button
// of the window with that key, when it stands on the page shown of every strip whose tab
// has the key too. Between two buttons Qt's own turn-taking stays.
QAbstractButton* ButtonOfAccessKey(const QWidget* window, const QKeySequence& key)
{
    QAbstractButton* found = nullptr;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || !b->isEnabled() || QKeySequence::mnemonic(b->text()) != key)
            continue;
        if (found)
            return nullptr;
        found = b;
    }
    if (!found)
        return nullptr;
    for (const TabStrip* s : window->findChildren<TabStrip*>()) {
        if (!s->isVisible() || (s->currentWidget() && s->currentWidget()->isAncestorOf(found)))
            continue;
        for (int i = 0; i < s->count(); ++i) {
            if (s->isTabVisible(i) && s->isTabEnabled(i) && QKeySequence::mnemonic(s->tabText(i)) == key)
                return nullptr;
        }
    }
    return found;
}

// As an access key presses a button: the focus first, then the click.
void PressByAccessKey(QAbstractButton* b)
{
    if (b->focusPolicy() != Qt::NoFocus)
        b->setFocus(Qt::ShortcutFocusReason);
    b->animateClick();
}

class CommandButtonFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Not a button any more while it is being destroyed (its focus leaves then).
        auto* b = qobject_cast<QPushButton*>(watched);
        if (!b)
            return false;
        if (event->type() == QEvent::Shortcut && b->isEnabled()) {
            // A key a tab shares would only take the focus here, one press in two.
            const auto* se = static_cast<QShortcutEvent*>(event);
            if (se->isAmbiguous() && ButtonOfAccessKey(b->window(), se->key()) == b) {
                PressByAccessKey(b);
                return true;
            }
            // Qt would click without moving the focus.
            if (!b->hasFocus())
                b->setFocus(Qt::ShortcutFocusReason);
        } else if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
                (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                b->click();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void CommandButton(QPushButton* button)
{
    button->installEventFilter(new CommandButtonFilter(button));
}

void SetClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

// ---------------------------------------------------------------- focus inside the window

namespace {

// Per window: the control whose GotFocus ran last and whose LostFocus has not run yet.
// It keeps that place while a message box, dialog or popup has the activation.
QHash<const QWidget*, QPointer<QWidget>>& Holders()
{
    static QHash<const QWidget*, QPointer<QWidget>> h;
    return h;
}

void WatchFocus()
{
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    // Focus that lands on a plain widget (a button, a tab bar) ends the holder's focus.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now)
            return;
        auto it = Holders().find(now->window());
        if (it == Holders().end())
            return;
        QWidget* h = it.value();
        if (!h || h == now || h->isAncestorOf(now))
            return;
        it.value() = nullptr;
        if (auto* c = dynamic_cast<detail::FocusClient*>(h))
            c->FireLostFocus();
    });
}

// True when GotFocus should run.
bool GateFocusIn(QWidget* self)
{
    WatchFocus();
    const QWidget* win = self->window();
    QPointer<QWidget> prev = Holders().value(win);
    if (prev == self)
        return false;   // back after a dialog or popup
    Holders()[win] = nullptr;
    if (prev) {
        if (auto* c = dynamic_cast<detail::FocusClient*>(prev.data()))
            c->FireLostFocus();
    }
    Holders()[win] = self;
    return true;
}

// True when LostFocus should run.
bool GateFocusOut(QWidget* self, Qt::FocusReason reason)
{
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    auto it = Holders().find(self->window());
    if (it == Holders().end() || it.value() != self)
        return false;
    it.value() = nullptr;
    return true;
}

// A key through the control's KeyDown and then KeyPress handlers, in the original's order;
// KeyPress runs only for a key that types a character. `alive` is false once a handler has
// destroyed the control: the key is then dropped.
struct KeyHandlers {
    bool alive = true;
    bool cancelled = false;   // KeyDown answered 0
    int typed = 0;            // the character code, 0 for none
    int result = 0;           // what KeyPress made of it
};

KeyHandlers FireKeyHandlers(QWidget* control, const QKeyEvent& e, const std::function<int(int, int)>& onKeyDown,
                            const std::function<int(int)>& onKeyPress)
{
    QPointer<QWidget> self(control);
    KeyHandlers k;
    if (onKeyDown) {
        const int code = KeyCodeOf(e);
        if (code) {
            k.cancelled = onKeyDown(code, ShiftOf(e.modifiers())) == 0;
            if (!self) {
                k.alive = false;
                return k;
            }
        }
    }
    k.typed = KeyAsciiOf(e);
    k.result = k.typed;
    if (k.typed != 0 && onKeyPress) {
        k.result = onKeyPress(k.typed);
        k.alive = !self.isNull();
    }
    return k;
}

} // namespace

// ---------------------------------------------------------------- EditBase

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

// ---------------------------------------------------------------- TextBox

// The typing limit sits where every user edit passes (keys, paste, drop, input method)
// and text set by code does not.
class LimitValidator : public QValidator {
public:
    explicit LimitValidator(TextBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int& pos) const override
    {
        const int max = box_->maxLength_;
        const QString& old = box_->last_;
        if (box_->fromCode_ || max == 0 || input.size() <= max || input.size() <= old.size())
            return Acceptable;
        // Keep what the edit left of the old text; cut the inserted part to the room left.
        qsizetype prefix = 0;
        const qsizetype shortest = qMin(old.size(), input.size());
        while (prefix < shortest && old.at(prefix) == input.at(prefix))
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < shortest - prefix && old.at(old.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
            ++suffix;
        const qsizetype room = max - (prefix + suffix);
        if (room <= 0)
            return Invalid;
        const qsizetype inserted = input.size() - prefix - suffix;
        input = input.left(prefix) + input.mid(prefix, qMin(room, inserted)) + input.right(suffix);
        pos = static_cast<int>(prefix + qMin(room, inserted));
        return Acceptable;
    }

private:
    TextBox* box_;
};

TextBox::TextBox(QWidget* parent) : EditBase(parent)
{
    setValidator(new LimitValidator(this));
}

// ---------------------------------------------------------------- MaskedBox

MaskedBox::MaskedBox(const QString& mask, QWidget* parent) : EditBase(parent), mask_(mask)
{
    ApplyMask();
}

void MaskedBox::SetMask(const QString& mask)
{
    mask_ = mask;
    ApplyMask();
}

void MaskedBox::SetPromptChar(QChar prompt)
{
    prompt_ = prompt;
    ApplyMask();
}

void MaskedBox::ApplyMask()
{
    static const QString qtMeta = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\;");
    QString qt;
    for (int i = 0; i < mask_.size(); ++i) {
        const QChar c = mask_.at(i);
        if (c == QLatin1Char('#')) {
            qt += QLatin1Char('0');
        } else if (c == QLatin1Char('\\') && i + 1 < mask_.size()) {
            qt += QLatin1Char('\\');
            qt += mask_.at(++i);
        } else {
            if (qtMeta.contains(c))
                qt += QLatin1Char('\\');
            qt += c;
        }
    }
    const bool was = fromCode_;
    fromCode_ = true;
    setInputMask(qt.isEmpty() ? QString() : qt + QLatin1Char(';') + prompt_);
    fromCode_ = was;
    // The prompt positions are part of the text: a new mask is a change of it.
    TextMoved();
}

// ---------------------------------------------------------------- ComboBox

// The items of a list: one text each and nothing else, so that thousands of them go in
// (and away) at once, without an item object and a role table each.
class TextosDeLista : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(textos_.size());
    }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!valido(i) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        if (role == Qt::DisplayRole && mostrado_)
            return mostrado_(textos_.at(i.row()));
        return textos_.at(i.row());
    }

    // The whole item, whatever the list shows of it.
    QString Texto(int fila) const
    {
        return fila >= 0 && fila < textos_.size() ? textos_.at(fila) : QString();
    }

    void PonMostrado(std::function<QString(const QString&)> mostrado)
    {
        mostrado_ = std::move(mostrado);
        if (!textos_.isEmpty())
            emit dataChanged(index(0), index(static_cast<int>(textos_.size()) - 1), {Qt::DisplayRole});
    }

    bool setData(const QModelIndex& i, const QVariant& value, int role) override
    {
        if (!valido(i) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return false;
        textos_[i.row()] = value.toString();
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        return valido(i) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    bool insertRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || count < 1 || row < 0 || row > textos_.size())
            return false;
        beginInsertRows({}, row, row + count - 1);
        textos_.insert(row, count, QString());
        endInsertRows();
        return true;
    }

    bool removeRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || count < 1 || row < 0 || row + count > textos_.size())
            return false;
        beginRemoveRows({}, row, row + count - 1);
        textos_.remove(row, count);
        endRemoveRows();
        return true;
    }

    void Agrega(const QStringList& textos)
    {
        if (textos.isEmpty())
            return;
        const int n = static_cast<int>(textos_.size());
        beginInsertRows({}, n, n + static_cast<int>(textos.size()) - 1);
        if (textos_.isEmpty())
            textos_ = textos;
        else
            textos_ += textos;
        endInsertRows();
    }

private:
    bool valido(const QModelIndex& i) const
    {
        return i.isValid() && !i.parent().isValid() && i.column() == 0 && i.row() < textos_.size();
    }

    QStringList textos_;
    std::function<QString(const QString&)> mostrado_;
};

namespace {

// Escape in an open list belongs to the list: it closes it and goes no further. Without
// this a window's Escape shortcut would also run, as the key reaches the shortcuts first.
class EscapeDeLista : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The list drops down below the box and shows a few items at a time, as the original's
// lists do; a menu-like list would measure the text of every item each time it opens.
class EstiloDeLista : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QStyle* EstiloListas()
{
    static QPointer<EstiloDeLista> estilo;
    if (!estilo) {
        estilo = new EstiloDeLista;
        estilo->setParent(QCoreApplication::instance());
    }
    return estilo;
}

} // namespace

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setStyle(EstiloListas());
    textos_ = new TextosDeLista(this);
    setModel(textos_);
    // Items are one line of text each: the list lays them out without measuring each one.
    if (auto* lista = qobject_cast<QListView*>(view()))
        lista->setUniformItemSizes(true);
    view()->installEventFilter(new EscapeDeLista(this));
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!muted_ && onClick)
            onClick();
    });
}

void ComboBox::AddItem(const QString& item)
{
    const int before = currentIndex();
    muted_ = true;
    addItem(item);
    // Qt chooses the first item added to an empty list; the original chose none.
    if (before == -1 && currentIndex() != -1)
        setCurrentIndex(-1);
    muted_ = false;
}

void ComboBox::AddItems(const QStringList& items)
{
    const int before = currentIndex();
    muted_ = true;
    textos_->Agrega(items);
    if (before == -1 && currentIndex() != -1)
        setCurrentIndex(-1);
    muted_ = false;
}

void ComboBox::Clear()
{
    muted_ = true;
    clear();
    muted_ = false;
}

void ComboBox::SetListIndex(int i)
{
    if (i < -1 || i >= count())
        return;
    setCurrentIndex(i);
}

QString ComboBox::List(int i) const
{
    return textos_->Texto(i);
}

void ComboBox::SetShownText(std::function<QString(const QString& item)> shown)
{
    textos_->PonMostrado(std::move(shown));
}

void ComboBox::SetDropDownWidth(int pixels)
{
    dropDownWidth_ = pixels;
    view()->setMinimumWidth(pixels);
}

void ComboBox::SetBackColor(int bgr)
{
    backColor_ = bgr;
    zav::SetBackColor(this, bgr);
}

void ComboBox::FireLostFocus()
{
    if (onLostFocus)
        onLostFocus();
}

void ComboBox::keyPressEvent(QKeyEvent* e)
{
    const KeyHandlers k = FireKeyHandlers(this, *e, onKeyDown, onKeyPress);
    if (!k.alive)
        return;
    if (k.typed == 0) {
        if (k.cancelled)
            e->accept();
        else if (PageKeyStep(*e) != 0)
            e->ignore();   // the strip's, which Qt's list would keep
        else
            QComboBox::keyPressEvent(e);
        return;
    }
    const int typed = k.typed;
    const int result = k.result;
    if (result == 0) {
        e->accept();
    } else if (result == typed) {
        QComboBox::keyPressEvent(e);
    } else if (result == 13) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QComboBox::keyPressEvent(&enter);
        e->setAccepted(enter.isAccepted());
    } else if (result >= 32 && result <= 255 && result != 127) {
        QKeyEvent other(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, CharOfCode(result));
        QComboBox::keyPressEvent(&other);
        e->accept();
    } else {
        e->accept();
    }
}

void ComboBox::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    if (GateFocusIn(this) && onGotFocus)
        onGotFocus();
}

void ComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (GateFocusOut(this, e->reason()))
        FireLostFocus();
}

// ---------------------------------------------------------------- OptionArray

OptionArray::OptionArray(QObject* parent) : QObject(parent), group_(new QButtonGroup(this))
{
    group_->setExclusive(true);
}

QRadioButton* OptionArray::Add(int index, const QString& caption, QWidget* parent)
{
    if (QRadioButton* b = Button(index))
        return b;
    auto* b = new QRadioButton(caption, parent);
    b->setAutoExclusive(false);
    group_->addButton(b, index);
    buttons_[index] = b;
    b->installEventFilter(this);
    connect(b, &QAbstractButton::toggled, this, [this, index](bool on) {
        if (on && onClick)
            onClick(index);
    });
    return b;
}

QRadioButton* OptionArray::Button(int index) const
{
    auto it = buttons_.find(index);
    return it == buttons_.end() ? nullptr : it->second.data();
}

std::vector<int> OptionArray::Indices() const
{
    std::vector<int> out;
    for (const auto& [i, b] : buttons_) {
        if (b)
            out.push_back(i);
    }
    return out;
}

bool OptionArray::Value(int index) const
{
    QRadioButton* b = Button(index);
    return b && b->isChecked();
}

void OptionArray::SetValue(int index, bool value)
{
    QRadioButton* b = Button(index);
    if (!b || b->isChecked() == value)
        return;
    if (value) {
        b->setChecked(true);   // the group clears the other member first
        return;
    }
    group_->setExclusive(false);
    b->setChecked(false);
    group_->setExclusive(true);
}

int OptionArray::Chosen() const
{
    return group_->checkedId();
}

void OptionArray::Clear()
{
    const int c = Chosen();
    if (c != -1)
        SetValue(c, false);
}

bool OptionArray::Enabled(int index) const
{
    return zav::Enabled(Button(index));
}

void OptionArray::SetEnabled(int index, bool enabled)
{
    if (QRadioButton* b = Button(index))
        b->setEnabled(enabled);
}

void OptionArray::SetEnabled(bool enabled)
{
    for (const auto& [i, b] : buttons_) {
        if (b)
            b->setEnabled(enabled);
    }
}

bool OptionArray::Visible(int index) const
{
    return zav::Visible(Button(index));
}

void OptionArray::SetVisible(int index, bool visible)
{
    if (QRadioButton* b = Button(index))
        b->setVisible(visible);
}

QString OptionArray::Caption(int index) const
{
    QRadioButton* b = Button(index);
    return b ? b->text() : QString();
}

void OptionArray::SetCaption(int index, const QString& caption)
{
    if (QRadioButton* b = Button(index))
        b->setText(caption);
}

bool OptionArray::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* b = qobject_cast<QRadioButton*>(watched);
    const int index = b ? group_->id(b) : -1;
    if (index == -1)
        return false;
    const auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_Left || k->key() == Qt::Key_Right || k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
        // Qt moves the focus to the member in the arrow's direction but chooses it only
        // when the member left was the chosen one: the arrow chooses it in every case.
        static_cast<QObject*>(b)->event(event);
        auto* llegada = qobject_cast<QRadioButton*>(QApplication::focusWidget());
        if (llegada && llegada != b && group_->id(llegada) != -1 && !llegada->isChecked())
            llegada->click();
        return true;
    }
    if (!onKeyPress)
        return false;
    const int typed = KeyAsciiOf(*k);
    if (typed == 0)
        return false;
    return onKeyPress(index, typed) == 0;
}

// ---------------------------------------------------------------- TabStrip

// A user's input event reaching a strip, for as long as it is handled: the first page
// change it makes is the user's.
class UserInput {
public:
    explicit UserInput(TabStrip* strip) : strip_(strip)
    {
        if (strip_->inputs_++ == 0) {
            strip_->armed_ = true;
            strip_->userPage_ = -1;
        }
    }
    ~UserInput()
    {
        if (strip_ && --strip_->inputs_ == 0) {
            strip_->armed_ = false;
            strip_->userPage_ = -1;
        }
    }
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

private:
    QPointer<TabStrip> strip_;
};

class TabStripBar : public QTabBar {
public:
    explicit TabStripBar(TabStrip* strip) : QTabBar(strip), strip_(strip)
    {
        // Connected before the strip's own page change: the page the user's input brings
        // forward is known before the page it leaves lets its focus go (and that field's
        // handlers, which may move pages themselves, run).
        connect(this, &QTabBar::currentChanged, this, [this](int index) {
            if (strip_->armed_) {
                strip_->armed_ = false;
                strip_->userPage_ = index;
            }
        });
    }

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Shortcut: {
            const auto* se = static_cast<QShortcutEvent*>(e);
            if (se->isAmbiguous()) {
                if (QAbstractButton* b = ButtonOfAccessKey(window(), se->key())) {
                    PressByAccessKey(b);
                    return true;
                }
            }
            UserInput input(strip_);
            return QTabBar::event(e);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel: {
            UserInput input(strip_);
            return QTabBar::event(e);
        }
        default:
            return QTabBar::event(e);
        }
    }

private:
    TabStrip* strip_;
};

TabStrip::TabStrip(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TabStripBar(this));
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        const bool user = index >= 0 && index == userPage_;
        if (user)
            userPage_ = -1;
        const int previous = previous_;
        previous_ = index;
        const bool before = userChange_;
        userChange_ = user;
        if (onClick)
            onClick(previous);
        userChange_ = before;
    });
}

bool TabStrip::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        UserInput input(this);
        return QTabWidget::event(e);
    }
    return QTabWidget::event(e);
}

// Ctrl+Tab and Ctrl+PageDown go to the next page that can be shown, Ctrl+Shift+Tab and
// Ctrl+PageUp to the one before, round the strip.
void TabStrip::keyPressEvent(QKeyEvent* e)
{
    const int paso = PageKeyStep(*e);
    if (paso == 0) {
        QTabWidget::keyPressEvent(e);
        return;
    }
    const int n = count();
    for (int i = 1; i < n; ++i) {
        const int p = ((currentIndex() + paso * i) % n + n) % n;
        if (isTabEnabled(p) && isTabVisible(p)) {
            setCurrentIndex(p);
            // A field the page's handlers gave the focus keeps it, also while a message
            // box they showed is still handing the activation back.
            if (!window()->focusWidget())
                tabBar()->setFocus();
            e->accept();
            return;
        }
    }
    // No other page: the key is the strip's around this one.
    e->ignore();
}

// ---------------------------------------------------------------- CheckBox, Label

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QAbstractButton::toggled, this, [this] {
        if (onClick)
            onClick();
    });
}

Label::Label(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
    , backColor_(BgrFromColor(palette().color(QPalette::Window)))
    , foreColor_(BgrFromColor(palette().color(QPalette::WindowText)))
{
}

void Label::SetCaption(const QString& caption)
{
    if (caption == text())
        return;
    QLabel::setText(caption);
    if (onChange)
        onChange();
}

void Label::SetBackColor(int bgr)
{
    backColor_ = bgr;
    setAutoFillBackground(true);
    zav::SetBackColor(this, bgr);
}

void Label::SetForeColor(int bgr)
{
    foreColor_ = bgr;
    zav::SetForeColor(this, bgr);
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
