#include "support/scripted_messages.h"

#include <gtest/gtest.h>

ScriptedMessages::ScriptedMessages()
{
    platform::setMessagePresenter(this);
}

ScriptedMessages::~ScriptedMessages()
{
    platform::setMessagePresenter(nullptr);
    EXPECT_TRUE(answers_.isEmpty()) << answers_.size() << " scripted answers were never asked for";
}

platform::MessageAnswer ScriptedMessages::present(const QString& text, platform::MessageButtons buttons)
{
    texts_.append(text);
    if (buttons == platform::MessageButtons::Ok) {
        if (!answers_.isEmpty() && answers_.first() == platform::MessageAnswer::Ok)
            answers_.removeFirst();
        return platform::MessageAnswer::Ok;
    }
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::No
                                                          : platform::MessageAnswer::Cancel;
    }
    return answers_.takeFirst();
}
