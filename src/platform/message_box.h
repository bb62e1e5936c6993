#pragma once

#include "platform/fs_error.h"

#include <QString>

// Every message and question of the program goes through here: caption
// "Velda", no icon. The windowed program installs a presenter that shows a
// real box; tests install a scripted one.
namespace platform {

enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MessageAnswer present(const QString& text, MessageButtons buttons) = 0;
};

// Not owned. nullptr puts back the fallback, which only logs and declines.
void setMessagePresenter(MessagePresenter* presenter);

MessageAnswer messageBox(const QString& text, MessageButtons buttons);
void showMessage(const QString& text);
bool askYesNo(const QString& text);     // true on Yes
bool askOkCancel(const QString& text);  // true on OK
void showError(const FsError& error);   // "Error-" message with the OK button

}  // namespace platform
