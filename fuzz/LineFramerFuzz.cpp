// Feeds arbitrary drive output through the line framer and checks what every consumer
// relies on in the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/LineFramer.h"

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void CheckRecord(const CServoData& record) {
    const std::string& text = record.m_strText;
    Require(!(record.m_bError && record.m_bValue));
    Require(text.find('\0') == std::string::npos);
    if (record.m_bError) {
        Require(text.compare(0, 5, "Error") == 0);
    } else if (record.m_bValue) {
        Require(!text.empty());
        Require(!(text.size() == 1 && static_cast<unsigned char>(text[0]) <= 0x20));
        Require(text.back() != ' ');
    } else {
        Require(text.size() >= 2 && text[0] == 'P' && text[1] >= '0' && text[1] <= '9');
        Require(text.find("  ") == std::string::npos);
    }
    Require(text.size() <= static_cast<std::size_t>(CLineFramer::kLineSize));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLineFramer framer;
    for (std::size_t i = 0; i < size; ++i) {
        if (auto record = framer.Step(data[i]))
            CheckRecord(*record);
        Require(framer.LineLen() >= 0 && framer.LineLen() <= CLineFramer::kLineSize);
        Require(framer.Line()[framer.LineLen()] == 0);
        Require(framer.CharCount() >= 0 && framer.CharCount() <= 17);
    }
    return 0;
}
