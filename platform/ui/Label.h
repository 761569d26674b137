#pragma once
#include "platform/ui/ControlHelpers.h"

#include <QLabel>

#include <functional>

namespace zav {

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

} // namespace zav
