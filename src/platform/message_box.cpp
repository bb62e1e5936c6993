#include "platform/message_box.h"

#include <QtGlobal>

namespace platform {

namespace {

class LoggingPresenter : public MessagePresenter {
public:
    MessageAnswer present(const QString& text, MessageButtons buttons) override
    {
        qWarning("Velda: %s", qUtf8Printable(text));
        switch (buttons) {
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::OkCancel: return MessageAnswer::Cancel;
        case MessageButtons::Ok: break;
        }
        return MessageAnswer::Ok;
    }
};

LoggingPresenter fallbackPresenter;
MessagePresenter* currentPresenter = &fallbackPresenter;

}  // namespace

void setMessagePresenter(MessagePresenter* presenter)
{
    currentPresenter = presenter ? presenter : &fallbackPresenter;
}

MessageAnswer messageBox(const QString& text, MessageButtons buttons)
{
    return currentPresenter->present(text, buttons);
}

void showMessage(const QString& text)
{
    messageBox(text, MessageButtons::Ok);
}

bool askYesNo(const QString& text)
{
    return messageBox(text, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool askOkCancel(const QString& text)
{
    return messageBox(text, MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void showError(const FsError& error)
{
    showMessage(errorMessageText(error));
}

}  // namespace platform
