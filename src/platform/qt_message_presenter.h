#pragma once

#include "platform/message_box.h"

namespace platform {

// Shows messages in a real box: caption "Velda", no icon.
class QtMessagePresenter : public MessagePresenter {
public:
    MessageAnswer present(const QString& text, MessageButtons buttons) override;
};

}  // namespace platform
