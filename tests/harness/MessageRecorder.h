// Every text the platform layer shows in a message box (CVKT_MessageBox), recorded instead of shown
// while the recorder lives.
#pragma once

#include <string>
#include <vector>

namespace headless
{
struct Message
{
    std::string title;
    std::string text;
};

class MessageRecorder
{
public:
    MessageRecorder();
    // Message boxes are shown again.
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Message>& All() const { return m_messages; }
    // Forgets the messages, and that they were reported: a message shown once is shown again.
    void Clear();

private:
    std::vector<Message> m_messages;
};
} // namespace headless
