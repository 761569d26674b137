#include "platform/ui/OptionArray.h"

#include "platform/ui/ControlHelpers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>

namespace zav {

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

} // namespace zav
