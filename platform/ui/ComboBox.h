#pragma once
#include "platform/ui/ControlHelpers.h"

#include <QComboBox>

#include <functional>

namespace zav {

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

} // namespace zav
