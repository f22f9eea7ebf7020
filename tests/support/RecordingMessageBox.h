#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// An IMessageBox for tests: keeps every message instead of showing it.
class RecordingMessageBox : public IMessageBox {
public:
    struct Message {
        std::string text;
        std::string detail;
    };

    void ShowMessage(const std::string& text, const std::string& detail = {}) override {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({text, detail});
    }

    std::vector<Message> Messages() const {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Message> m_messages;
};
