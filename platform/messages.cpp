#include "platform/messages.h"

#include <utility>

namespace {
MessageSink* g_messageSink = nullptr;

MsgAnswer FirstButton(MsgButtons buttons)
{
    return (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) ? MsgAnswer::Yes
                                                                                 : MsgAnswer::Ok;
}
} // namespace

MessageSink* SetMessageSink(MessageSink* sink)
{
    return std::exchange(g_messageSink, sink);
}

MessageSink* GetMessageSink()
{
    return g_messageSink;
}

MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                      MsgAnswer defaultAnswer)
{
    if (!g_messageSink)
        return FirstButton(buttons);
    return g_messageSink->show(text, caption, icon, buttons, defaultAnswer);
}

MsgAnswer ScriptedMessages::show(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons, MsgAnswer defaultAnswer)
{
    m_messages.push_back({text, caption, icon, buttons, defaultAnswer});
    if (m_answers.empty())
        return FirstButton(buttons);
    MsgAnswer a = m_answers.front();
    m_answers.pop_front();
    return a;
}
