#include "platform/ui/TabStrip.h"

#include "platform/ui/ControlsInternal.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QTabBar>

namespace zav {

using detail::ButtonOfAccessKey;
using detail::PageKeyStep;
using detail::PressByAccessKey;

// A user's input event reaching a strip, for as long as it is handled: the first page
// change it makes is the user's.
class UserInput {
public:
    explicit UserInput(TabStrip* strip) : strip_(strip)
    {
        if (strip_->inputs_++ == 0) {
            strip_->armed_ = true;
            strip_->userPage_ = -1;
        }
    }
    ~UserInput()
    {
        if (strip_ && --strip_->inputs_ == 0) {
            strip_->armed_ = false;
            strip_->userPage_ = -1;
        }
    }
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

private:
    QPointer<TabStrip> strip_;
};

class TabStripBar : public QTabBar {
public:
    explicit TabStripBar(TabStrip* strip) : QTabBar(strip), strip_(strip)
    {
        // Connected before the strip's own page change: the page the user's input brings
        // forward is known before the page it leaves lets its focus go (and that field's
        // handlers, which may move pages themselves, run).
        connect(this, &QTabBar::currentChanged, this, [this](int index) {
            if (strip_->armed_) {
                strip_->armed_ = false;
                strip_->userPage_ = index;
            }
        });
    }

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Shortcut: {
            const auto* se = static_cast<QShortcutEvent*>(e);
            if (se->isAmbiguous()) {
                if (QAbstractButton* b = ButtonOfAccessKey(window(), se->key())) {
                    PressByAccessKey(b);
                    return true;
                }
            }
            UserInput input(strip_);
            return QTabBar::event(e);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel: {
            UserInput input(strip_);
            return QTabBar::event(e);
        }
        default:
            return QTabBar::event(e);
        }
    }

private:
    TabStrip* strip_;
};

TabStrip::TabStrip(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TabStripBar(this));
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        const bool user = index >= 0 && index == userPage_;
        if (user)
            userPage_ = -1;
        const int previous = previous_;
        previous_ = index;
        const bool before = userChange_;
        userChange_ = user;
        if (onClick)
            onClick(previous);
        userChange_ = before;
    });
}

bool TabStrip::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        UserInput input(this);
        return QTabWidget::event(e);
    }
    return QTabWidget::event(e);
}

// Ctrl+Tab and Ctrl+PageDown go to the next page that can be shown, Ctrl+Shift+Tab and
// Ctrl+PageUp to the one before, round the strip.
void TabStrip::keyPressEvent(QKeyEvent* e)
{
    const int paso = PageKeyStep(*e);
    if (paso == 0) {
        QTabWidget::keyPressEvent(e);
        return;
    }
    const int n = count();
    for (int i = 1; i < n; ++i) {
        const int p = ((currentIndex() + paso * i) % n + n) % n;
        if (isTabEnabled(p) && isTabVisible(p)) {
            setCurrentIndex(p);
            // A field the page's handlers gave the focus keeps it, also while a message
            // box they showed is still handing the activation back.
            if (!window()->focusWidget())
                tabBar()->setFocus();
            e->accept();
            return;
        }
    }
    // No other page: the key is the strip's around this one.
    e->ignore();
}

} // namespace zav
