#include "MessageRecorder.h"

#include "CVKT_MessageBox.h"

namespace headless
{
MessageRecorder::MessageRecorder()
{
    CVKT_MessageBox::SetListener(
        [this](const std::string& title, const std::string& text) {
            m_messages.push_back({title, text});
        });
}

MessageRecorder::~MessageRecorder()
{
    CVKT_MessageBox::SetListener({});
}

void MessageRecorder::Clear()
{
    m_messages.clear();
    CVKT_MessageBox::ForgetReported();
}
} // namespace headless
