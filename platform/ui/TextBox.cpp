#include "platform/ui/TextBox.h"

#include <QValidator>

namespace zav {

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

} // namespace zav
