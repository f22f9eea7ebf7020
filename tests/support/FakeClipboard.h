#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

// A clipboard held in memory: what was set is what is read back.
class FakeClipboard : public IClipboard {
public:
    void SetText(const std::string& text) override {
        m_text = text;
        ++m_nSets;
    }
    bool HasText() const override { return m_text.has_value(); }
    std::optional<std::string> GetText() const override { return m_text; }

    std::optional<std::string> m_text;
    int m_nSets = 0;
};
