// Doubles for the window's services: a message box that records every prompt and answers from a
// script, and a clock that always reads the same day.
#pragma once

#include "services/clock.h"
#include "window/services/message_service.h"

#include <QList>
#include <QString>

namespace examora::testing {

struct Prompt {
    QString text;
    int flags = 0;
    QString title;
};

class ScriptedMessages : public MessageService {
public:
    // Answers the next question with the given value (AnswerYes or AnswerNo); with no answer queued
    // a question is answered No and any other box OK.
    void AnswerNext(int answer) { answers_.append(answer); }
    int MsgBox(const QString& prompt, int flags, const QString& title) override {
        prompts.append(Prompt{prompt, flags, title});
        if (!answers_.isEmpty())
            return answers_.takeFirst();
        return (flags & ~NoByDefault) == YesNoQuestion ? AnswerNo : AnswerOk;
    }
    // The save dialog answers with this file (nothing: cancelled) and, where set, this kind of file;
    // it notes the file it suggested and the kind it offered first.
    QString SaveFileName(const QString&, const QString& suggested, const QStringList& filters, int& kind,
                         const QString&) override {
        suggestedFiles.append(suggested);
        offeredKinds.append(filters.value(kind));
        if (chooseKind >= 0)
            kind = chooseKind;
        return saveAs;
    }
    QList<Prompt> prompts;
    QString saveAs;
    QStringList suggestedFiles;
    QStringList offeredKinds;
    int chooseKind = -1;

private:
    QList<int> answers_;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDate today) : today_(today) {}
    QDate Today() const override { return today_; }
    void Set(QDate today) { today_ = today; }

private:
    QDate today_;
};

} // namespace examora::testing
