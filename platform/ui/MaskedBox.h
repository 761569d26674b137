#pragma once
#include "platform/ui/EditBase.h"

namespace zav {

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

} // namespace zav
