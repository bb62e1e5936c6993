#pragma once

#include "platform/message_box.h"

#include <QStringList>
#include <QVector>

// Stands in for the message boxes while it lives: records every text and
// answers questions from a script. A question without a scripted answer fails
// the test and is declined.
class ScriptedMessages : public platform::MessagePresenter {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    void answer(platform::MessageAnswer next) { answers_.append(next); }
    void answerYes() { answer(platform::MessageAnswer::Yes); }
    void answerNo() { answer(platform::MessageAnswer::No); }
    void answerOk() { answer(platform::MessageAnswer::Ok); }
    void answerCancel() { answer(platform::MessageAnswer::Cancel); }

    const QStringList& texts() const { return texts_; }
    QString last() const { return texts_.isEmpty() ? QString() : texts_.last(); }
    int count() const { return int(texts_.size()); }
    void clear() { texts_.clear(); }

    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override;

private:
    QStringList texts_;
    QVector<platform::MessageAnswer> answers_;
};
