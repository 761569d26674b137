#include "platform/ui/Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace zav;

namespace {

// A shown, active window with two text boxes, a masked box, a combo and a plain button,
// in that tab order.
class Ventana : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* lay = new QVBoxLayout(&win);
        a = new TextBox(&win);
        b = new TextBox(&win);
        mke = new MaskedBox(QStringLiteral("##/##/####"), &win);
        cbo = new ComboBox(&win);
        btn = new QPushButton(QStringLiteral("Aceptar"), &win);
        for (QWidget* w : std::initializer_list<QWidget*>{a, b, mke, cbo, btn})
            lay->addWidget(w);
        a->setObjectName(QStringLiteral("a"));
        b->setObjectName(QStringLiteral("b"));
        mke->setObjectName(QStringLiteral("mke"));
        cbo->setObjectName(QStringLiteral("cbo"));
        win.show();
        win.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
        a->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(a->hasFocus());
        for (auto* box : std::initializer_list<EditBase*>{a, b, mke}) {
            const QString n = box->objectName();
            box->onGotFocus = [this, n] { log.push_back("got " + n.toStdString()); };
            box->onLostFocus = [this, n] { log.push_back("lost " + n.toStdString()); };
        }
        cbo->onGotFocus = [this] { log.push_back("got cbo"); };
        cbo->onLostFocus = [this] { log.push_back("lost cbo"); };
    }

    QWidget win;
    TextBox* a = nullptr;
    TextBox* b = nullptr;
    MaskedBox* mke = nullptr;
    ComboBox* cbo = nullptr;
    QPushButton* btn = nullptr;
    std::vector<std::string> log;
};

using Strings = std::vector<std::string>;

// ---------------------------------------------------------------- Change

struct ChangeStep {
    enum Kind { Code, Type, Key } kind;
    QString text;        // Code: the text set; Type: characters typed
    Qt::Key key = Qt::Key_unknown;
    QString expectText;
    int expectFires;
};

TEST_F(Ventana, ChangeFiresOncePerRealChangeByCodeOrUser)
{
    const std::vector<ChangeStep> steps = {
        {ChangeStep::Code, "1,234", {}, "1,234", 1},
        {ChangeStep::Code, "1,234", {}, "1,234", 0},   // same text again
        {ChangeStep::Code, "", {}, "", 1},
        {ChangeStep::Code, "", {}, "", 0},
        {ChangeStep::Type, "12", {}, "12", 2},        // one per keystroke
        {ChangeStep::Code, "12", {}, "12", 0},
        {ChangeStep::Key, {}, Qt::Key_Backspace, "1", 1},
        {ChangeStep::Key, {}, Qt::Key_Backspace, "", 1},
        {ChangeStep::Key, {}, Qt::Key_Backspace, "", 0},   // nothing left to delete
        {ChangeStep::Key, {}, Qt::Key_Left, "", 0},
    };
    int fires = 0;
    a->onChange = [&] { ++fires; };
    for (size_t i = 0; i < steps.size(); ++i) {
        const auto& s = steps[i];
        fires = 0;
        if (s.kind == ChangeStep::Code)
            a->SetText(s.text);
        else if (s.kind == ChangeStep::Type)
            QTest::keyClicks(a, s.text);
        else
            QTest::keyClick(a, s.key);
        EXPECT_EQ(a->Text(), s.expectText) << "step " << i;
        EXPECT_EQ(fires, s.expectFires) << "step " << i;
    }
    // Through the plain QLineEdit interface the rule holds as well.
    fires = 0;
    static_cast<QLineEdit*>(a)->setText(QStringLiteral("9"));
    static_cast<QLineEdit*>(a)->setText(QStringLiteral("9"));
    EXPECT_EQ(fires, 1);
}

TEST_F(Ventana, WritesFromAChangeHandlerCascadeDepthFirst)
{
    TextBox c(&win);
    Strings order;
    // a writes b and then itself reformatted; b writes c.
    a->onChange = [&] {
        order.push_back("a=" + a->Text().toStdString());
        b->SetText(a->Text() + QStringLiteral("b"));
        if (!a->Text().startsWith(QLatin1Char('(')))
            a->SetText(QStringLiteral("(") + a->Text() + QStringLiteral(")"));
        order.push_back("a done");
    };
    b->onChange = [&] {
        order.push_back("b=" + b->Text().toStdString());
        c.SetText(b->Text() + QStringLiteral("c"));
    };
    c.onChange = [&] { order.push_back("c=" + c.Text().toStdString()); };
    a->SetText(QStringLiteral("5"));
    EXPECT_EQ(order, (Strings{"a=5", "b=5b", "c=5bc", "a=(5)", "b=(5)b", "c=(5)bc", "a done", "a done"}));
    EXPECT_EQ(a->Text(), QStringLiteral("(5)"));
}

// ---------------------------------------------------------------- typing limit

struct LimitCase {
    int max;
    QString fromCode;
    int cursor;          // -1: end
    QString typed;
    QString expect;
};

TEST_F(Ventana, TypingLimitCutsTypingOnlyNeverTextFromCode)
{
    const std::vector<LimitCase> cases = {
        {3, "", -1, "12345", "123"},
        {0, "", -1, "12345", "12345"},                 // 0: no limit
        {12, "", -1, "1234567890123", "123456789012"},
        {3, "1,234,567", -1, "", "1,234,567"},         // code text kept whole
        {3, "1,234,567", -1, "8", "1,234,567"},        // ...and no typing grows it
        {3, "1,234,567", 0, "\b", "1,234,567"},        // backspace at start: nothing
        {3, "abcdef", -1, "\b\b", "abcd"},             // the user may shorten it
        {3, "ab", 1, "xyz", "axb"},
    };
    for (const auto& c : cases) {
        a->SetMaxLength(c.max);
        a->SetText(c.fromCode);
        a->SetSelStart(c.cursor < 0 ? static_cast<int>(c.fromCode.size()) : c.cursor);
        for (QChar ch : c.typed) {
            if (ch == QLatin1Char('\b'))
                QTest::keyClick(a, Qt::Key_Backspace);
            else
                QTest::keyClicks(a, QString(ch));
        }
        EXPECT_EQ(a->Text(), c.expect) << c.max << " " << c.fromCode.toStdString() << " " << c.typed.toStdString();
        a->SetMaxLength(0);
        a->SetText(QString());
    }
    // Replacing a selection at the limit is typing within it.
    a->SetMaxLength(3);
    a->SetText(QStringLiteral("123"));
    a->selectAll();
    QTest::keyClicks(a, QStringLiteral("9"));
    EXPECT_EQ(a->Text(), QStringLiteral("9"));
    // A longer value from code later on is still not cut.
    a->SetText(QStringLiteral("123456789012345"));
    EXPECT_EQ(a->Text(), QStringLiteral("123456789012345"));
}

TEST_F(Ventana, PasteIsCutToTheRoomLeft)
{
    a->SetMaxLength(4);
    a->SetText(QStringLiteral("1"));
    a->SetSelStart(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("23456"));
    QTest::keyClick(a, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(a->Text(), QStringLiteral("1234"));
    QTest::keyClick(a, Qt::Key_V, Qt::ControlModifier);   // full: refused whole
    EXPECT_EQ(a->Text(), QStringLiteral("1234"));
}

// ---------------------------------------------------------------- KeyPress

struct KeyCodeCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    QString text;
    int expect;   // 0: the handler is not called
};

TEST_F(Ventana, KeyPressReceivesTheOriginalCodes)
{
    const std::vector<KeyCodeCase> cases = {
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, {}, 8},
        {"Enter", Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, {}, 22},
        {"Ctrl+V as X11 sends it", Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)), 22},
        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, {}, 3},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)), 27},
        {"a", Qt::Key_A, Qt::NoModifier, "a", 97},
        {"A", Qt::Key_A, Qt::ShiftModifier, "A", 65},
        {"space", Qt::Key_Space, Qt::NoModifier, " ", 32},
        {"comma", Qt::Key_Comma, Qt::NoModifier, ",", 44},
        {"n tilde", Qt::Key_Ntilde, Qt::NoModifier, QStringLiteral("ñ"), 241},
        {"euro", Qt::Key_unknown, Qt::NoModifier, QStringLiteral("€"), 128},
        {"not in the code page", Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ā"), 63},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)), 0},
        {"Left", Qt::Key_Left, Qt::NoModifier, {}, 0},
        {"Alt+A", Qt::Key_A, Qt::AltModifier, "a", 0},
    };
    for (const auto& c : cases) {
        int seen = 0;
        a->onKeyPress = [&](int k) {
            seen = k;
            return 0;
        };
        QKeyEvent ev(QEvent::KeyPress, c.key, c.mods, c.text);
        QApplication::sendEvent(a, &ev);
        EXPECT_EQ(seen, c.expect) << c.name;
    }
}

struct FilterCase {
    const char* name;
    std::function<int(int)> handler;
    QString typed;
    QString expect;
};

TEST_F(Ventana, KeyPressMayReplaceOrDropTheKey)
{
    const std::vector<FilterCase> cases = {
        {"upper-case", [](int k) { return (k >= 'a' && k <= 'z') ? k - 32 : k; }, "abc1", "ABC1"},
        {"digits only", [](int k) { return (k >= '0' && k <= '9') || k == 8 ? k : 0; }, "a1b2-3", "123"},
        {"to another character", [](int k) { return k == '.' ? ',' : k; }, "1.5", "1,5"},
        {"to a code-page character", [](int k) { return k == 'e' ? 233 : k; }, "cafe", QStringLiteral("café")},
        {"minus as backspace", [](int k) { return k == '-' ? 8 : k; }, "12-", "1"},
        {"every key dropped", [](int) { return 0; }, "abc", ""},
        {"no handler", nullptr, "x y", "x y"},
    };
    for (const auto& c : cases) {
        a->SetText(QString());
        a->onKeyPress = c.handler;
        QTest::keyClicks(a, c.typed);
        EXPECT_EQ(a->Text(), c.expect) << c.name;
    }
}

TEST_F(Ventana, LockedBoxSeesKeysButKeepsItsText)
{
    int keys = 0;
    a->SetText(QStringLiteral("100"));
    a->SetLocked(true);
    a->onKeyPress = [&](int k) {
        ++keys;
        return k == '1' ? '2' : k;
    };
    QTest::keyClicks(a, QStringLiteral("15"));
    QTest::keyClick(a, Qt::Key_Backspace);
    EXPECT_EQ(keys, 3);
    EXPECT_EQ(a->Text(), QStringLiteral("100"));
}

// ---------------------------------------------------------------- KeyDown

struct KeyDownCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int code;
    int shift;
};

TEST_F(Ventana, KeyDownReceivesKeyCodeAndShiftState)
{
    const std::vector<KeyDownCase> cases = {
        {"Insert", Qt::Key_Insert, Qt::NoModifier, 45, 0},
        {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, 45, 1},
        {"Ctrl+Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier | Qt::ControlModifier, 45, 3},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, 46, 0},
        {"context-menu key", Qt::Key_Menu, Qt::NoModifier, 93, 0},
        {"a", Qt::Key_A, Qt::NoModifier, 65, 0},
        {"Enter", Qt::Key_Return, Qt::NoModifier, 13, 0},
        {"F1", Qt::Key_F1, Qt::NoModifier, 112, 0},
        {"keypad 5", Qt::Key_5, Qt::KeypadModifier, 101, 0},
    };
    for (const auto& c : cases) {
        int code = -1, shift = -1;
        a->onKeyDown = [&](int k, int s) {
            code = k;
            shift = s;
            return k;
        };
        QTest::keyClick(a, c.key, c.mods);
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(shift, c.shift) << c.name;
    }
}

TEST_F(Ventana, KeyDownZeroCancelsTheKeysOwnAction)
{
    a->SetText(QStringLiteral("477"));
    a->SetSelStart(0);
    a->onKeyDown = [](int k, int) { return k == 46 ? 0 : k; };
    QTest::keyClick(a, Qt::Key_Delete);
    EXPECT_EQ(a->Text(), QStringLiteral("477"));
    a->onKeyDown = nullptr;
    QTest::keyClick(a, Qt::Key_Delete);
    EXPECT_EQ(a->Text(), QStringLiteral("77"));
}

// ---------------------------------------------------------------- Enter as Tab

TEST_F(Ventana, EnterAsTabMovesTheFocusOnlyAfterTheKeyIsHandled)
{
    bool focusStillHereInHandler = false;
    a->onKeyPress = [&](int k) {
        if (k == 13) {
            PostFocusNext(a);
            focusStillHereInHandler = a->hasFocus();
            log.push_back("enter");
        }
        return k;
    };
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_TRUE(focusStillHereInHandler);
    EXPECT_TRUE(a->hasFocus()) << "moved inside the key event";
    QCoreApplication::processEvents();
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(log, (Strings{"enter", "lost a", "got b"}));
}

// ---------------------------------------------------------------- focus

TEST_F(Ventana, LostFocusRunsForMovesInsideTheWindow)
{
    b->setFocus(Qt::TabFocusReason);
    mke->setFocus(Qt::MouseFocusReason);
    cbo->setFocus(Qt::TabFocusReason);
    btn->setFocus(Qt::TabFocusReason);   // a plain widget: the combo's focus still ends
    a->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(log, (Strings{"lost a", "got b", "lost b", "got mke", "lost mke", "got cbo", "lost cbo", "got a"}));
}

TEST_F(Ventana, DialogsAndPopupsOverTheWindowRunNoFocusHandler)
{
    struct Over {
        const char* name;
        std::function<QWidget*()> open;
    };
    std::vector<std::unique_ptr<QWidget>> keep;
    const std::vector<Over> overs = {
        {"dialog", [&]() -> QWidget* {
             auto* d = new QDialog(&win);
             auto* t = new TextBox(d);   // a box of the dialog keeps its own focus book
             t->setFocus();
             d->open();
             return d;
         }},
        {"message box", [&]() -> QWidget* {
             auto* m = new QMessageBox(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("El RUC no es Válido."),
                                       QMessageBox::Ok, &win);
             m->open();
             return m;
         }},
        {"popup menu", [&]() -> QWidget* {
             auto* m = new QMenu(&win);
             m->addAction(QStringLiteral("x"));
             m->popup(a->mapToGlobal(QPoint(0, 0)));
             return m;
         }},
    };
    int focusOuts = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::FocusOut)
                ++*n;
            return false;
        }
    } counter(&focusOuts);
    a->installEventFilter(&counter);
    for (const auto& o : overs) {
        log.clear();
        focusOuts = 0;
        QWidget* over = o.open();
        QTest::qWait(20);
        EXPECT_GE(focusOuts, 1) << o.name << ": the box never lost the focus";
        over->close();
        win.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&win)) << o.name;
        QTest::qWait(20);
        EXPECT_TRUE(a->hasFocus()) << o.name;
        EXPECT_EQ(log, Strings{}) << o.name;
        delete over;
    }
    // A move made while a dialog is open runs both handlers when it takes effect.
    log.clear();
    QDialog d(&win);
    d.open();
    QTest::qWait(20);
    b->setFocus();
    d.close();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    QTest::qWait(20);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(log, (Strings{"lost a", "got b"}));
}

TEST_F(Ventana, DisablingTheFocusedBoxRunsItsLostFocusWhileDisabled)
{
    bool enabledInHandler = true;
    a->onLostFocus = [&] { enabledInHandler = a->Enabled(); };
    a->SetEnabled(false);
    EXPECT_FALSE(enabledInHandler);
    EXPECT_TRUE(b->hasFocus());
}

// ---------------------------------------------------------------- no paste

TEST_F(Ventana, NoPasteRefusesEveryPath)
{
    struct Path {
        const char* name;
        std::function<void(TextBox*)> paste;
        bool pastesWhenAllowed;
        QString pasted = QStringLiteral("1999");   // text when paste is allowed
    };
    const QString clip = QStringLiteral("999");
    const std::vector<Path> paths = {
        {"Ctrl+V", [](TextBox* t) { QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier); }, true},
        {"Shift+Insert", [](TextBox* t) { QTest::keyClick(t, Qt::Key_Insert, Qt::ShiftModifier); }, true},
        {"KeyPress turning a key into Ctrl+V", [](TextBox* t) {
             t->onKeyPress = [](int k) { return k == 'p' ? 22 : k; };
             QTest::keyClicks(t, QStringLiteral("p"));
             t->onKeyPress = nullptr;
         }, true},
        {"drop", [&](TextBox* t) {
             QMimeData mime;
             mime.setText(clip);
             QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t, &enter);
             QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t, &drop);
         }, true, QStringLiteral("9991")},   // dropped where the pointer is
        {"middle button", [&](TextBox* t) {
             if (QGuiApplication::clipboard()->supportsSelection())
                 QGuiApplication::clipboard()->setText(clip, QClipboard::Selection);
             QTest::mouseClick(t, Qt::MiddleButton, Qt::NoModifier, QPoint(2, 2));
         }, QGuiApplication::clipboard()->supportsSelection()},
    };
    for (bool noPaste : {false, true}) {
        for (const auto& p : paths) {
            a->SetNoPaste(noPaste);
            a->SetText(QStringLiteral("1"));
            a->SetSelStart(1);
            QGuiApplication::clipboard()->setText(clip);
            p.paste(a);
            const QString expect = (!noPaste && p.pastesWhenAllowed) ? p.pasted : QStringLiteral("1");
            EXPECT_EQ(a->Text(), expect) << p.name << (noPaste ? " (no paste)" : " (paste allowed)");
        }
    }
    // The middle button is taken by the box, not handed on to its window.
    a->SetNoPaste(true);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), a->mapToGlobal(QPointF(2, 2)), Qt::MiddleButton,
                        Qt::NoButton, Qt::NoModifier);
    release.ignore();
    QApplication::sendEvent(a, &release);
    EXPECT_TRUE(release.isAccepted());
    EXPECT_FALSE(a->acceptDrops());
}

TEST_F(Ventana, NoPasteContextMenuOffersNoPaste)
{
    a->SetText(QStringLiteral("12"));
    QGuiApplication::clipboard()->setText(QStringLiteral("999"));
    const QString pasteKey = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    auto texts = [](const QMenu* m) {
        QStringList out;
        for (const QAction* act : m->actions())
            out << act->text();
        return out;
    };
    {
        // The standard menu has a paste entry, shown with its shortcut.
        std::unique_ptr<QMenu> standard(a->createStandardContextMenu());
        ASSERT_TRUE(texts(standard.get()).join('|').contains(pasteKey)) << texts(standard.get()).join('|').toStdString();
    }
    a->SetNoPaste(true);
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(2, 2), a->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(a, &ev);   // opens without waiting
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString shown = texts(menu).join('|');
    EXPECT_FALSE(shown.contains(pasteKey)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText))) << shown.toStdString();
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(a->Text(), QStringLiteral("12"));
}

TEST_F(Ventana, MouseDownReportsTheButton)
{
    std::vector<int> buttons;
    a->onMouseDown = [&](int button, int) { buttons.push_back(button); };
    QTest::mousePress(a, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(a, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(buttons, (std::vector<int>{2, 1}));
}

// ---------------------------------------------------------------- colours and properties

TEST(Controls, ColoursAreBgrValues)
{
    EXPECT_EQ(ColorFromBgr(kColorGris), QColor(192, 192, 192));
    EXPECT_EQ(ColorFromBgr(kColorCeleste), QColor(0, 255, 255));
    EXPECT_EQ(ColorFromBgr(0xC00000), QColor(0, 0, 192));
    EXPECT_EQ(BgrFromColor(QColor(0, 0, 192)), 0xC00000);
    TextBox t;
    t.SetBackColor(kColorGris);
    EXPECT_EQ(t.BackColor(), kColorGris);
    EXPECT_EQ(t.palette().color(QPalette::Base), QColor(192, 192, 192));
    t.SetEnabled(false);
    EXPECT_EQ(t.palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
}

TEST(Controls, EnabledAndVisibleAreTheControlsOwn)
{
    QWidget frame;
    TextBox t(&frame);
    frame.setEnabled(false);
    EXPECT_TRUE(t.Enabled());     // its own property, though the frame is off
    EXPECT_TRUE(t.Visible());     // not hidden, though the window is not shown yet
    t.SetVisible(false);
    EXPECT_FALSE(t.Visible());
    t.SetEnabled(false);
    frame.setEnabled(true);
    EXPECT_FALSE(t.Enabled());
}

// ---------------------------------------------------------------- masked box

TEST_F(Ventana, MaskedBoxShowsPromptsInUnfilledPlaces)
{
    struct Step {
        const char* what;
        std::function<void()> run;
        QString expect;
        int fires;
    };
    int fires = 0;
    mke->onChange = [&] { ++fires; };
    mke->setFocus();
    const std::vector<Step> steps = {
        {"empty", [] {}, "__/__/____", 0},
        {"typed 120", [&] { mke->SetSelStart(0); QTest::keyClicks(mke, QStringLiteral("120")); }, "12/0_/____", 3},
        {"a letter is refused", [&] { QTest::keyClicks(mke, QStringLiteral("x")); }, "12/0_/____", 0},
        {"backspace clears", [&] { QTest::keyClick(mke, Qt::Key_Backspace); }, "12/__/____", 1},
        {"set from code", [&] { mke->SetText(QStringLiteral("31/07/2013")); }, "31/07/2013", 1},
        {"same again", [&] { mke->SetText(QStringLiteral("31/07/2013")); }, "31/07/2013", 0},
        {"partial from code", [&] { mke->SetText(QStringLiteral("12/0_/____")); }, "12/0_/____", 1},
        {"the empty mask from code", [&] { mke->SetText(QStringLiteral("__/__/____")); }, "__/__/____", 1},
        {"empty text from code", [&] { mke->SetText(QString()); }, "__/__/____", 0},
    };
    for (const auto& s : steps) {
        fires = 0;
        s.run();
        EXPECT_EQ(mke->Text(), s.expect) << s.what;
        EXPECT_EQ(fires, s.fires) << s.what;
    }
}

TEST(Controls, MaskedBoxMasks)
{
    struct Case {
        QString mask;
        QChar prompt;
        QString typed;
        QString expect;
    };
    const std::vector<Case> cases = {
        {"####", '_', "", "____"},
        {"####", '_', "20a1", "201_"},
        {"##/##/####", '_', "01022013", "01/02/2013"},
        {"##-##", '*', "7", "7*-**"},
        {"\\###", '_', "5", "#5_"},
    };
    for (const auto& c : cases) {
        MaskedBox m(c.mask);
        m.SetPromptChar(c.prompt);
        m.SetSelStart(0);
        QTest::keyClicks(&m, c.typed);
        EXPECT_EQ(m.Text(), c.expect) << c.mask.toStdString() << " " << c.typed.toStdString();
        EXPECT_EQ(m.Mask(), c.mask);
    }
}

TEST_F(Ventana, MaskedBoxKeysPassTheKeyPressHandler)
{
    mke->setFocus();
    mke->SetSelStart(0);
    Strings keys;
    mke->onKeyPress = [&](int k) {
        keys.push_back(std::to_string(k));
        return k == '9' ? 0 : k;
    };
    QTest::keyClicks(mke, QStringLiteral("193"));
    EXPECT_EQ(mke->Text(), QStringLiteral("13/__/____"));
    EXPECT_EQ(keys, (Strings{"49", "57", "51"}));
}

// ---------------------------------------------------------------- option array

TEST(OptionArray, NoneChosenAndClickOncePerChoice)
{
    struct Case {
        const char* name;
        std::vector<int> indices;
    };
    for (const Case& c : {Case{"1 to 4", {1, 2, 3, 4}}, Case{"0 to 5", {0, 1, 2, 3, 4, 5}}, Case{"0 and 1", {0, 1}}}) {
        QWidget frame;
        OptionArray opt;
        std::vector<int> clicks;
        opt.onClick = [&](int i) { clicks.push_back(i); };
        for (int i : c.indices)
            opt.Add(i, QStringLiteral("op %1").arg(i), &frame);
        const int first = c.indices.front(), last = c.indices.back();
        EXPECT_EQ(opt.Chosen(), -1) << c.name;
        EXPECT_EQ(opt.Indices(), c.indices) << c.name;
        EXPECT_EQ(opt.Button(last + 1), nullptr) << c.name;

        opt.SetValue(first, true);
        opt.SetValue(first, true);   // already chosen: nothing
        EXPECT_EQ(clicks, std::vector<int>{first}) << c.name;
        opt.SetValue(last, true);
        EXPECT_EQ(clicks, (std::vector<int>{first, last})) << c.name;
        EXPECT_FALSE(opt.Value(first)) << c.name;
        EXPECT_EQ(opt.Chosen(), last) << c.name;

        opt.SetValue(first, false);  // not the chosen one: nothing changes
        EXPECT_EQ(opt.Chosen(), last) << c.name;
        opt.SetValue(last, false);   // none chosen, no Click
        EXPECT_EQ(opt.Chosen(), -1) << c.name;
        EXPECT_EQ(clicks.size(), 2u) << c.name;
        opt.SetValue(last, true);    // chosen again after none: Click
        opt.Clear();
        EXPECT_EQ(opt.Chosen(), -1) << c.name;
        EXPECT_EQ(clicks, (std::vector<int>{first, last, last})) << c.name;
        opt.SetValue(last + 1, true);   // no such member
        EXPECT_EQ(opt.Chosen(), -1) << c.name;
    }
}

TEST(OptionArray, UserClicksAndAClickHandlerThatChoosesBack)
{
    QWidget frame;
    auto* lay = new QVBoxLayout(&frame);
    OptionArray opt;
    for (int i = 0; i <= 5; ++i)
        lay->addWidget(opt.Add(i, QStringLiteral("r%1").arg(i), &frame));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    std::vector<int> clicks;
    int previous = 9;
    // The answer "No" to a change of regime chooses the previous one again.
    opt.onClick = [&](int i) {
        clicks.push_back(i);
        if (previous != 9 && i != previous && i == 3) {
            opt.SetValue(previous, true);
            return;
        }
        previous = i;
    };
    QTest::mouseClick(opt.Button(5), Qt::LeftButton);
    QTest::mouseClick(opt.Button(5), Qt::LeftButton);   // already chosen: nothing
    EXPECT_EQ(clicks, std::vector<int>{5});
    QTest::mouseClick(opt.Button(3), Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<int>{5, 3, 5}));
    EXPECT_EQ(opt.Chosen(), 5);
    EXPECT_FALSE(opt.Value(3));

    opt.SetEnabled(0, false);
    QTest::mouseClick(opt.Button(0), Qt::LeftButton);   // disabled member: no choice
    EXPECT_EQ(opt.Chosen(), 5);
    EXPECT_FALSE(opt.Enabled(0));
    EXPECT_TRUE(opt.Enabled(1));
    opt.SetValue(0, true);   // code still chooses a disabled member, with Click
    EXPECT_EQ(clicks.back(), 0);
    opt.SetEnabled(false);
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(opt.Enabled(i)) << i;
    opt.SetCaption(2, QStringLiteral("Amazonía o Zona de Selva"));
    EXPECT_EQ(opt.Caption(2), QStringLiteral("Amazonía o Zona de Selva"));
}

TEST(OptionArray, KeyPressGetsIndexAndCode)
{
    QWidget frame;
    OptionArray opt;
    opt.Add(0, QStringLiteral("No"), &frame);
    opt.Add(1, QStringLiteral("Si"), &frame);
    std::vector<std::pair<int, int>> seen;
    opt.onKeyPress = [&](int i, int k) {
        seen.emplace_back(i, k);
        return k == ' ' ? 0 : k;   // dropping Space keeps the button from being chosen
    };
    QTest::keyClick(opt.Button(1), Qt::Key_Return);
    QTest::keyClick(opt.Button(1), Qt::Key_Space);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 13}, {1, 32}}));
    EXPECT_EQ(opt.Chosen(), -1);
}

// An arrow key chooses the option it moves to, also in a group with nothing chosen yet
// (Qt's own rule only moves the focus there) and from a member that is not the chosen one;
// at the end of the row it moves nowhere and chooses nothing.
TEST(OptionArray, AnArrowKeyChoosesTheOptionItMovesTo)
{
    QWidget frame;
    auto* lay = new QHBoxLayout(&frame);
    OptionArray opt;
    for (int i = 0; i <= 2; ++i)
        lay->addWidget(opt.Add(i, QStringLiteral("r%1").arg(i), &frame));
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    std::vector<int> clicks;
    opt.onClick = [&](int i) { clicks.push_back(i); };
    struct Paso {
        bool ninguno;   // nothing chosen before the key
        int desde;
        Qt::Key tecla;
        int foco, elegido;
    };
    const Paso pasos[] = {
        {true, 0, Qt::Key_Right, 1, 1},  {false, 1, Qt::Key_Right, 2, 2}, {false, 2, Qt::Key_Right, 2, 2},
        {false, 0, Qt::Key_Right, 1, 1}, {true, 2, Qt::Key_Left, 1, 1},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(testing::Message() << p.desde << (p.tecla == Qt::Key_Left ? " left" : " right"));
        if (p.ninguno)
            opt.Clear();
        opt.Button(p.desde)->setFocus();
        const int antes = opt.Chosen();
        clicks.clear();
        QTest::keyClick(opt.Button(p.desde), p.tecla);
        EXPECT_TRUE(opt.Button(p.foco)->hasFocus());
        EXPECT_EQ(opt.Chosen(), p.elegido);
        EXPECT_EQ(clicks, antes == p.elegido ? std::vector<int>{} : std::vector<int>{p.elegido});
    }
}

// ---------------------------------------------------------------- tab strip

// A strip tells the user's page changes from the code's. A click, the arrows on its bar, a
// tab's access key, Ctrl+Tab, Ctrl+PageDown and their reverse are the user's; a page set by
// code is not, also when the handler of a user's change sets it. Ctrl+Tab passes over a
// page that cannot be shown; in a strip with no other page it turns the strip around it.
TEST(TabStrip, TellsTheUsersPageChangesFromTheCodes)
{
    QWidget win;
    auto* lay = new QVBoxLayout(&win);
    auto* exterior = new TabStrip(&win);
    lay->addWidget(exterior);
    auto* interior = new TabStrip;
    auto* dentro = new TextBox;
    auto* pagina = new QWidget;
    (new QVBoxLayout(pagina))->addWidget(dentro);
    interior->addTab(pagina, QStringLiteral("Uno"));
    interior->addTab(new QWidget, QStringLiteral("Cerrada"));
    interior->setTabEnabled(1, false);
    exterior->addTab(interior, QStringLiteral("&Interior"));
    TextBox* campos[3] = {dentro, new TextBox, new TextBox};
    for (int i : {1, 2}) {
        auto* p = new QWidget;
        (new QVBoxLayout(p))->addWidget(campos[i]);
        exterior->addTab(p, i == 1 ? QStringLiteral("&Dos") : QStringLiteral("&Tres"));
    }
    exterior->addTab(new QWidget, QStringLiteral("Oculta"));
    exterior->setTabVisible(3, false);
    win.show();
    QApplication::setActiveWindow(&win);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));

    using Vistos = std::vector<std::pair<int, bool>>;   // page shown, the user's
    Vistos vistos;
    bool devolver = false;   // the handler brings page 0 back by code
    exterior->onClick = [&](int) {
        vistos.emplace_back(exterior->currentIndex(), exterior->UserChange());
        if (devolver && exterior->currentIndex() != 0)
            exterior->setCurrentIndex(0);
    };
    auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    auto clic = [&](int i) {
        QTest::mouseClick(exterior->tabBar(), Qt::LeftButton, {}, exterior->tabBar()->tabRect(i).center());
    };
    struct Paso {
        const char* nombre;
        int foco;   // the field of that page has the focus; -1 the bar
        std::function<void()> hacer;
        Vistos esperado;
    };
    const Paso pasos[] = {
        {"code", 0, [&] { exterior->setCurrentIndex(1); }, {{1, false}}},
        {"click", 1, [&] { clic(2); }, {{2, true}}},
        {"access key", 2, [&] { tecla(Qt::Key_D, Qt::AltModifier); }, {{1, true}}},
        {"arrow on the bar", -1, [&] { tecla(Qt::Key_Right); }, {{2, true}}},
        {"Ctrl+Tab past the hidden page", 2, [&] { tecla(Qt::Key_Tab, Qt::ControlModifier); }, {{0, true}}},
        {"Ctrl+PageUp round the strip", 0, [&] { tecla(Qt::Key_PageUp, Qt::ControlModifier); }, {{2, true}}},
        {"Ctrl+Shift+Tab", 2, [&] { tecla(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, {{1, true}}},
        {"Ctrl+PageDown", 1, [&] { tecla(Qt::Key_PageDown, Qt::ControlModifier); }, {{2, true}}},
        {"the handler's own change", 2, [&] { devolver = true; clic(1); devolver = false; }, {{1, true}, {0, false}}},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.nombre);
        if (p.foco < 0)
            exterior->tabBar()->setFocus();
        else
            campos[p.foco]->setFocus();
        QCoreApplication::processEvents();
        vistos.clear();
        p.hacer();
        EXPECT_EQ(vistos, p.esperado);
    }
    EXPECT_EQ(interior->currentIndex(), 0);
}

// ---------------------------------------------------------------- combo box

TEST_F(Ventana, ComboListIndexFromCodeOrUserClicksOncePerChange)
{
    int clicks = 0;
    cbo->onClick = [&] { ++clicks; };
    cbo->AddItem(QStringLiteral("30 DE ABRIL"));
    cbo->AddItem(QStringLiteral("31 DE JULIO"));
    EXPECT_EQ(cbo->ListIndex(), -1);
    EXPECT_EQ(cbo->Text(), QString());
    EXPECT_EQ(cbo->ListCount(), 2);
    EXPECT_EQ(cbo->List(1), QStringLiteral("31 DE JULIO"));
    EXPECT_EQ(cbo->List(7), QString());
    EXPECT_EQ(clicks, 0);
    // Many at once, after those: the same list, still no choice and no Click.
    cbo->AddItems({QStringLiteral("31 DE ENERO"), QStringLiteral("30 DE JUNIO")});
    EXPECT_EQ(cbo->ListCount(), 4);
    EXPECT_EQ(cbo->List(3), QStringLiteral("30 DE JUNIO"));
    EXPECT_EQ(cbo->ListIndex(), -1);
    EXPECT_EQ(clicks, 0);

    struct Step {
        int set;
        int expectIndex;
        int expectClicks;
    };
    for (const Step& s : {Step{1, 1, 1}, Step{1, 1, 0}, Step{-1, -1, 1}, Step{-1, -1, 0}, Step{0, 0, 1}, Step{5, 0, 0}}) {
        clicks = 0;
        cbo->SetListIndex(s.set);
        EXPECT_EQ(cbo->ListIndex(), s.expectIndex) << s.set;
        EXPECT_EQ(clicks, s.expectClicks) << s.set;
    }
    // A Click handler that clears the choice runs again with no choice.
    std::vector<int> seen;
    cbo->onClick = [&] {
        seen.push_back(cbo->ListIndex());
        if (cbo->ListIndex() == 1)
            cbo->SetListIndex(-1);
    };
    cbo->setFocus();
    QTest::keyClick(cbo, Qt::Key_Down);   // the user moves to the next item
    EXPECT_EQ(seen, (std::vector<int>{1, -1}));
    EXPECT_EQ(cbo->Text(), QString());

    cbo->onClick = [&] { ++clicks; };
    clicks = 0;
    cbo->SetListIndex(0);
    cbo->Clear();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cbo->ListIndex(), -1);
    EXPECT_EQ(cbo->ListCount(), 0);
}

TEST_F(Ventana, ComboKeysAndDropDownWidth)
{
    cbo->AddItem(QStringLiteral("LIMA"));
    cbo->AddItem(QStringLiteral("CALLAO"));
    cbo->setFocus();
    std::vector<int> keys;
    cbo->onKeyPress = [&](int k) {
        keys.push_back(k);
        if (k == 13)
            PostFocusNext(cbo);
        return k;
    };
    QTest::keyClick(cbo, Qt::Key_Return);
    EXPECT_TRUE(cbo->hasFocus());
    QCoreApplication::processEvents();
    EXPECT_TRUE(btn->hasFocus());
    EXPECT_EQ(keys, std::vector<int>{13});

    // Typing chooses the first item that starts with what was typed, among items put in
    // at once as among items put in one by one.
    cbo->AddItems({QStringLiteral("20100000001       UNO"), QStringLiteral("20300000002       DOS")});
    cbo->AddItem(QStringLiteral("20500000003       TRES"));
    cbo->onKeyPress = nullptr;
    cbo->setFocus();
    QTest::keyClicks(cbo, QStringLiteral("203"));
    EXPECT_EQ(cbo->ListIndex(), 3);
    EXPECT_EQ(cbo->Text(), QStringLiteral("20300000002       DOS"));
    QTest::qWait(1200);   // the typed prefix is forgotten after a pause
    QTest::keyClicks(cbo, QStringLiteral("C"));
    EXPECT_EQ(cbo->Text(), QStringLiteral("CALLAO"));

    cbo->SetDropDownWidth(400);
    EXPECT_EQ(cbo->DropDownWidth(), 400);
    EXPECT_GE(cbo->view()->minimumWidth(), 400);
}

// ---------------------------------------------------------------- check box, label

TEST(Controls, CheckBoxAndLabelFireOncePerChangeFromCode)
{
    CheckBox chk(QStringLiteral("Anexos"));
    int clicks = 0;
    chk.onClick = [&] { ++clicks; };
    chk.SetValue(1);
    chk.SetValue(1);
    EXPECT_EQ(chk.Value(), 1);
    chk.SetValue(0);
    EXPECT_EQ(clicks, 2);

    Label lbl;
    Strings seen;
    lbl.onChange = [&] { seen.push_back(lbl.Caption().toStdString()); };
    lbl.SetCaption(QStringLiteral("A"));
    lbl.SetCaption(QStringLiteral("A"));
    lbl.setText(QStringLiteral("B"));
    EXPECT_EQ(seen, (Strings{"A", "B"}));
    lbl.SetBackColor(kColorGris);
    EXPECT_EQ(lbl.BackColor(), kColorGris);
}

} // namespace
