#pragma once
#include "platform/ui/ControlHelpers.h"

#include <QCheckBox>

#include <functional>

namespace zav {

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

} // namespace zav
