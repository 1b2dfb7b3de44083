// Modal message boxes reach the program through this service, so that tests can answer them.
#pragma once

#include <QString>

class QWidget;

namespace examora {

// Flags and answers of a message box.
// NoByDefault, added to a question, makes No the button that Enter presses.
enum MsgBoxFlags : int {
    OkOnly = 0,
    YesNoQuestion = 36,
    Exclamation = 48,
    Information = 64,
    NoByDefault = 256
};
// AnswerCancel: a question dismissed without an answer (Escape, or the box's close button).
enum MsgBoxAnswer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the prompt and blocks until it is answered; returns AnswerYes (6) for Yes, AnswerNo (7)
    // for No and AnswerCancel (2) when a question is dismissed.
    virtual int MsgBox(const QString& prompt, int flags, const QString& title) = 0;
    // The platform's save dialog, opening on the suggested file name and offering the kinds of file
    // in filters, the one at kind first; the file chosen (with the suffix added when none was
    // typed), and in kind the kind chosen, or nothing when the user cancels. Nothing is chosen
    // unless a service shows a dialog.
    virtual QString SaveFileName(const QString& /*title*/, const QString& /*suggested*/,
                                 const QStringList& /*filters*/, int& /*kind*/, const QString& /*suffix*/) {
        return {};
    }
};

// The real modal QMessageBox, over the given parent window.
class QtMessageService : public MessageService {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    int MsgBox(const QString& prompt, int flags, const QString& title) override;
    QString SaveFileName(const QString& title, const QString& suggested, const QStringList& filters, int& kind,
                         const QString& suffix) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace examora
