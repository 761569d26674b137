#include "platform/ui/MaskedBox.h"

namespace zav {

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

} // namespace zav
