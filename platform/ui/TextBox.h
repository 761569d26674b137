#pragma once
#include "platform/ui/EditBase.h"

namespace zav {

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

} // namespace zav
