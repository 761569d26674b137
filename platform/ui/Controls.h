#pragma once
// Controls that behave as the module's code expects of its windows:
//  - a value set from code fires the same handler a user's change fires (Change, Click),
//    once per real change; setting the same value again fires nothing;
//  - an option array may have no member chosen;
//  - a masked box returns its text with the prompt character in unfilled places;
//  - a text box's typing limit limits typing only; text set by code is never cut;
//  - KeyPress hands the original key code to the handler, which may replace or drop it;
//    KeyDown hands the virtual key code and the shift state;
//  - GotFocus/LostFocus run only for focus moves inside the window, never because a
//    message box, a dialog or a popup took the activation;
//  - a box in no-paste mode refuses paste by every path;
//  - an arrow key in an option array chooses the option it moves to;
//  - a tab strip tells the user's page changes from the code's.
//
// Handlers are public std::function members (onChange, onClick, onKeyPress, ...); an empty
// one does nothing. A handler must not reassign itself while it runs. Handlers run
// synchronously, so writing another control from a handler runs that control's handler at
// once (depth first), as the original did.
//
// Codes, as the original's:
//  KeyPress keyAscii: 8 Backspace, 13 Enter, 27 Escape, 1-26 Ctrl+A..Ctrl+Z (22 Ctrl+V, 3 Ctrl+C),
//    otherwise the Windows-1252 code of the typed character (63 '?' when it has none).
//    Return the code to let the key through, another code to act as that key instead
//    (a character, 8, 13, 3, 22, 24 or 26), or 0 to drop it.
//  KeyDown keyCode: virtual key codes (8, 9, 13, 27, 32, 33-40, 45 Insert, 46 Delete,
//    48-57, 65-90, 93 context-menu key, 96-111 keypad, 112-135 F1-F24, 186-222 punctuation);
//    return keyCode to go on, 0 to cancel the key's own action (Delete, arrows, Shift+Insert...).
//    A key that also types a character still reaches KeyPress, as in the original.
//  shift: bits 1 Shift, 2 Ctrl, 4 Alt.   button: 1 left, 2 right, 4 middle.
//  Colours: &HBBGGRR integers (0xC0C0C0 light grey, 0xFFFFFF white, 0xFFFF00 cyan).
//
// Use the capitalised members (SetText, SetMaxLength, SetListIndex, SetValue); the Qt
// setters that would bypass these rules are hidden where they matter (setText, setMaxLength).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>
#include <map>
#include <vector>

class QButtonGroup;
class QKeyEvent;
class QPushButton;

namespace zav {

inline constexpr int kColorBlanco = 0xFFFFFF;
inline constexpr int kColorGris = 0xC0C0C0;
inline constexpr int kColorCeleste = 0xFFFF00;

QColor ColorFromBgr(int bgr);
int BgrFromColor(const QColor& color);

// The codes a control hands to its KeyPress and KeyDown handlers for a Qt key event;
// 0 when the key has none (no KeyPress for arrows, Delete, Tab; no KeyDown for Tab).
int KeyAsciiOf(const QKeyEvent& e);
int KeyCodeOf(const QKeyEvent& e);
int ShiftOf(Qt::KeyboardModifiers modifiers);

// The control's own Enabled and Visible properties, whatever its container's state
// (Qt's isEnabled/isVisible also answer for the parents).
bool Enabled(const QWidget* w);
bool Visible(const QWidget* w);
void SetBackColor(QWidget* w, int bgr);
void SetForeColor(QWidget* w, int bgr);

// Enter-as-Tab: moves the focus to the next control of the window's tab order once the
// event loop runs again, never inside the key handler that asks for it.
void PostFocusNext(QWidget* from);

// Clipboard.SetText.
void SetClipboardText(const QString& text);

// A command button as the fields around it expect: its access key first takes the focus,
// so the field being left runs its LostFocus (and shows its formatted text) before the
// click; Enter presses the button that has the focus. On the page of a tab strip whose tab
// has the same access key, the key presses the button.
void CommandButton(QPushButton* button);

namespace detail {
// A control whose LostFocus may have to run when the focus lands elsewhere later.
class FocusClient {
public:
    virtual ~FocusClient() = default;
    virtual void FireLostFocus() = 0;
};
} // namespace detail

// Common part of TextBox and MaskedBox.
class EditBase : public QLineEdit, public detail::FocusClient {
public:
    std::function<void()> onChange;
    std::function<int(int keyAscii)> onKeyPress;
    std::function<int(int keyCode, int shift)> onKeyDown;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int button, int shift)> onMouseDown;
    std::function<void(int button, int shift)> onMouseMove;
    std::function<void()> onDblClick;

    QString Text() const;
    void SetText(const QString& text);
    void setText(const QString& text) { SetText(text); }

    bool Locked() const { return isReadOnly(); }
    void SetLocked(bool locked) { setReadOnly(locked); }
    bool Enabled() const { return zav::Enabled(this); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    bool Visible() const { return zav::Visible(this); }
    void SetVisible(bool visible) { setVisible(visible); }
    int BackColor() const { return backColor_; }
    void SetBackColor(int bgr);
    int ForeColor() const { return foreColor_; }
    void SetForeColor(int bgr);

    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const { return selectedText(); }

    // The whole text is selected each time the box takes the focus (by Tab, by a click or
    // from code), so that what is typed replaces it.
    void SetSelectOnFocus(bool on) { selectOnFocus_ = on; }

    // No paste reaches the box: Ctrl+V, Shift+Insert, the context menu, the middle
    // button and drag and drop are all refused. Typing and code are unaffected.
    bool NoPaste() const { return noPaste_; }
    void SetNoPaste(bool on);

    void FireLostFocus() override;

protected:
    explicit EditBase(QWidget* parent);

    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

    void TextMoved();

    bool fromCode_ = false;   // SetText is running
    QString last_;            // text as of the last Change

private:
    void ApplyKey(QKeyEvent* e, int typed, int result);

    bool noPaste_ = false;
    bool selectOnFocus_ = false;
    bool selectAfterClick_ = false;   // the click that brought the focus selects on release
    int backColor_;
    int foreColor_;
};

// Text box (over QLineEdit).
class TextBox : public EditBase {
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Typing limit, 0 = none. Typing, pasting and dropping stop at it (a paste is cut to
    // the room left); text set by code is kept whole, and a longer text can still be
    // shortened by the user.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length < 0 ? 0 : length; }
    void setMaxLength(int length) { SetMaxLength(length); }

private:
    friend class LimitValidator;
    int maxLength_ = 0;
};

// Masked box: mask characters '#' take a digit, '\' makes the next character literal,
// every other character is a literal. Text() shows the prompt character in unfilled
// places ("__/__/____" when empty); SetText takes the text with or without prompts.
class MaskedBox : public EditBase {
public:
    explicit MaskedBox(const QString& mask = QStringLiteral("##/##/####"), QWidget* parent = nullptr);

    QString Mask() const { return mask_; }
    void SetMask(const QString& mask);
    QChar PromptChar() const { return prompt_; }
    void SetPromptChar(QChar prompt);

private:
    void ApplyMask();
    QString mask_;
    QChar prompt_ = QLatin1Char('_');
};

// Combo box (over QComboBox, a drop-down list unless made editable). ListIndex -1 means
// nothing chosen; adding items never chooses one. onClick runs on every real change of
// ListIndex, by the user or by SetListIndex; Clear and AddItem run nothing.
class TextosDeLista;

class ComboBox : public QComboBox, public detail::FocusClient {
public:
    explicit ComboBox(QWidget* parent = nullptr);

    std::function<void()> onClick;
    std::function<int(int keyAscii)> onKeyPress;
    std::function<int(int keyCode, int shift)> onKeyDown;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

    void AddItem(const QString& item);
    void AddItems(const QStringList& items);   // at once, as AddItem one after another
    void Clear();
    int ListCount() const { return count(); }
    QString List(int i) const;
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int i);   // an index outside -1..ListCount()-1 is ignored
    QString Text() const { return List(currentIndex()); }

    // What the list and the box show of each item; List and Text still give the whole
    // item. None set: the item as it is.
    void SetShownText(std::function<QString(const QString& item)> shown);

    // Width of the open list in pixels, at least the combo's own width.
    void SetDropDownWidth(int pixels);
    int DropDownWidth() const { return dropDownWidth_; }

    bool Enabled() const { return zav::Enabled(this); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    bool Visible() const { return zav::Visible(this); }
    void SetVisible(bool visible) { setVisible(visible); }
    int BackColor() const { return backColor_; }
    void SetBackColor(int bgr);

    void FireLostFocus() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TextosDeLista* textos_ = nullptr;
    bool muted_ = false;   // AddItem/Clear are moving the index
    int dropDownWidth_ = 0;
    int backColor_ = kColorBlanco;
};

// Option-button array: members by integer index (sparse indices allowed), at most one
// chosen, possibly none. onClick(index) runs when a member becomes chosen, by the user or
// by SetValue(index, true); never for a member already chosen, never for a Value set to
// false.
class OptionArray : public QObject {
public:
    explicit OptionArray(QObject* parent = nullptr);

    std::function<void(int index)> onClick;
    std::function<int(int index, int keyAscii)> onKeyPress;

    // Creates member `index` (replacing none: an index already present is returned as is).
    QRadioButton* Add(int index, const QString& caption, QWidget* parent = nullptr);
    QRadioButton* Button(int index) const;   // nullptr when there is no such member
    std::vector<int> Indices() const;

    bool Value(int index) const;
    void SetValue(int index, bool value);
    int Chosen() const;   // -1 when none
    void Clear();         // every member False; runs nothing

    bool Enabled(int index) const;
    void SetEnabled(int index, bool enabled);
    void SetEnabled(bool enabled);   // every member
    bool Visible(int index) const;
    void SetVisible(int index, bool visible);
    QString Caption(int index) const;
    void SetCaption(int index, const QString& caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* group_;
    std::map<int, QPointer<QRadioButton>> buttons_;
};

// Tab strip (over QTabWidget) whose page changes tell the user's from the code's. The
// user's: a click, a key or the wheel on its bar (the arrows on a focused bar), a tab's
// access key, and Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp from inside the
// strip (a strip with no other page to go to leaves these to the strip around it). Any
// setCurrentIndex is the code's, also one made while the user's change is handled.
// onClick runs on every page change, with the page shown before; while it runs for the
// user's change UserChange() is true.
class TabStrip : public QTabWidget {
public:
    explicit TabStrip(QWidget* parent = nullptr);

    std::function<void(int previousTab)> onClick;
    bool UserChange() const { return userChange_; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class TabStripBar;
    friend class UserInput;
    int inputs_ = 0;          // user's input events being handled, nested
    bool armed_ = false;      // the first page change of that input is the user's
    int userPage_ = -1;       // the page the user's input is bringing forward
    bool userChange_ = false;
    int previous_ = 0;
};

// Check box: Value 0 unchecked, 1 checked; onClick on every real change, by the user or
// by SetValue.
class CheckBox : public QCheckBox {
public:
    explicit CheckBox(const QString& caption = QString(), QWidget* parent = nullptr);

    std::function<void()> onClick;

    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int value) { setChecked(value != 0); }
    bool Enabled() const { return zav::Enabled(this); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
};

// Label whose caption change runs onChange once per real change, by code as well.
class Label : public QLabel {
public:
    explicit Label(const QString& caption = QString(), QWidget* parent = nullptr);

    std::function<void()> onChange;

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    void setText(const QString& caption) { SetCaption(caption); }
    int BackColor() const { return backColor_; }
    void SetBackColor(int bgr);
    int ForeColor() const { return foreColor_; }
    void SetForeColor(int bgr);
    bool Enabled() const { return zav::Enabled(this); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }

private:
    int backColor_;
    int foreColor_;
};

// A window's activation repeats when it comes back from another window of the program (a
// dialog it opened), not from a message box or from another program. Called from the
// window's event(); true for the activation that should repeat, which the caller runs
// after the base class has handled the event. `alVolver` is the window's own flag.
bool VuelveDeOtraVentana(const QWidget* ventana, const QEvent* e, bool& alVolver);

} // namespace zav
