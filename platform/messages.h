// Message boxes.  Every message of the program goes through the one sink set
// here: the Qt build installs a sink that shows a QMessageBox, tests install a
// ScriptedMessages that records each message and answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

enum class MsgIcon { None, Stop, Exclamation, Question, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
// The answers' numeric values are those stored and passed on (OK is 1).
enum class MsgAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The application's name, the caption of messages that have no caption of their own.
inline constexpr const char* kAppName = "Kestrin";

// The answer Enter gives in a box: kFirstButton is its first button (OK or Yes).
inline constexpr MsgAnswer kFirstButton = MsgAnswer{0};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon,
                           MsgButtons buttons, MsgAnswer defaultAnswer) = 0;
};

// Installs a sink (nullptr: none) and returns the previous one.  With no sink a
// message is dropped and answered with the first button (OK or Yes).
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink* GetMessageSink();

MsgAnswer ShowMessage(const std::string& text, const std::string& caption = kAppName,
                      MsgIcon icon = MsgIcon::Exclamation, MsgButtons buttons = MsgButtons::Ok,
                      MsgAnswer defaultAnswer = kFirstButton);

// A sink for tests: records every message and gives the queued answers (then
// the first button of each box).  Installs itself for its lifetime.
class ScriptedMessages : public MessageSink {
public:
    struct Message {
        std::string text;
        std::string caption;
        MsgIcon icon;
        MsgButtons buttons;
        MsgAnswer defaultAnswer = kFirstButton;
    };

    ScriptedMessages() : m_previous(SetMessageSink(this)) {}
    ~ScriptedMessages() override { SetMessageSink(m_previous); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void queue(MsgAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Message>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

    MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                   MsgAnswer defaultAnswer) override;

private:
    MessageSink* m_previous;
    std::deque<MsgAnswer> m_answers;
    std::vector<Message> m_messages;
};
