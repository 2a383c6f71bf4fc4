// The program's message boxes: QMessageBox with the given caption, icon and
// Russian button texts.
#pragma once

#include "platform/messages.h"

class QtMessageSink : public MessageSink {
public:
    MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                   MsgAnswer defaultAnswer) override;
};
