#pragma once
#include <QObject>
#include <QPointer>
#include <QRadioButton>

#include <functional>
#include <map>
#include <vector>

class QButtonGroup;

namespace zav {

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

} // namespace zav
