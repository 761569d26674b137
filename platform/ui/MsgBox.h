#pragma once
// The one way the module shows a message box. Styles and answers are the original's:
// buttons in bits 0-5 (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel,
// 4 Yes/No, 5 Retry/Cancel), icon 16 critical, 32 question, 48 exclamation,
// 64 information, default button 256 (second) or 512 (third).
// Used here: 0, 1, 16, 35, 36, 48, 64, 292.
#include <QMessageBox>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

namespace zav {

enum MsgBoxAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// Shows the box (title empty: the application name) and returns the answer code.
// When ZAV_MSGBOX_LOG names a file, appends "style|title|text" to it first.
int MsgBox(const QString& text, int style = 0, const QString& title = QString());

// Where no one can answer: from then on every box is written to standard error (its
// title, then its text) and answered with its default button, so the program goes on.
void MsgBoxSinPantalla(bool activo);

// True when a window can be shown somewhere: the environment names a Qt platform
// (QT_QPA_PLATFORM), or the display it names (DISPLAY, WAYLAND_DISPLAY) takes a
// connection now.
bool HayPantalla();

// True on the platforms that draw nowhere (offscreen, minimal): a box shown there is
// seen by no one and waits forever.
bool PlataformaSinPantalla();

// The box MsgBox would show for a style, not yet shown.
std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, int style, const QString& title,
                                             QWidget* parent = nullptr);

// Answer code of a standard button; the answer that Enter gives for a style.
int AnswerOf(QMessageBox::StandardButton button);
int DefaultAnswer(int style);

// Installs itself for its lifetime: MsgBox shows nothing, records every call and returns
// the next scripted answer (when none is left: the style's default button).
class MsgBoxRecorder {
public:
    struct Entry {
        QString text;
        int style = 0;
        QString title;
    };

    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    void PushAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<Entry>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const Entry& Last() const { return entries_.back(); }
    QStringList Texts() const;
    void Clear() { entries_.clear(); answers_.clear(); }

private:
    friend int MsgBox(const QString&, int, const QString&);
    int Record(const QString& text, int style, const QString& title);

    std::vector<Entry> entries_;
    std::deque<int> answers_;
    MsgBoxRecorder* previous_;
};

} // namespace zav
