#pragma once
#include "platform/ui/ControlHelpers.h"

#include <QLineEdit>

#include <functional>

namespace zav {

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

} // namespace zav
