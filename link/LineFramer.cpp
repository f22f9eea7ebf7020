#include "link/LineFramer.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kCarriageReturn = 0x0D;
constexpr int kValueLength = 16;
constexpr int kNameLength = 17;

void CollapseSpaceRuns(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out.push_back(c);
    }
    text.swap(out);
}

// The drive's character set puts its accented letters where bit 6 is inverted.
void InvertBit6OfHighBytes(std::string& text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            c = static_cast<char>(byte ^ 0x40);
    }
}

// A value that is empty or a lone control character is the drive clearing its display.
bool IsBlankValue(const std::string& text) {
    return text.empty() || (text.size() == 1 && static_cast<unsigned char>(text[0]) <= 0x20);
}
}  // namespace

std::unique_ptr<CServoData> CLineFramer::Step(unsigned char c) {
    Append(c);
    if (c == kLineFeed) {
        OnLineFeed();
        return nullptr;
    }
    if (c == kCarriageReturn)
        OnCarriageReturn();
    else
        OnOtherByte(c);
    const ECut kind = CutTest();
    if (kind == ECut::None)
        return nullptr;
    return Cut(kind);
}

void CLineFramer::Append(unsigned char c) {
    // Text piles up only through single line feeds between short fragments. Rather than
    // stall the link once the buffer is full, the old text is given up.
    if (m_nLineLen >= kLineSize)
        Empty();
    m_szLine[m_nLineLen++] = static_cast<char>(c);
    m_szLine[m_nLineLen] = 0;
    ++m_nCharCount;
}

void CLineFramer::OnLineFeed() {
    // One line feed keeps the text and restarts the count; two in a row discard the text.
    m_nCharCount = 0;
    m_szLine[--m_nLineLen] = 0;
    if (m_bLineFeed)
        Empty();
    m_bLineFeed = 1;
}

void CLineFramer::OnCarriageReturn() {
    m_bLineFeed = 0;
    if (m_nLineLen <= 1 || !(BeginsWithName() || BeginsWithError())) {
        m_nLineLen = 0;
        m_szLine[0] = 0;
        m_nCharCount = 0;
    }
}

void CLineFramer::OnOtherByte(unsigned char c) {
    m_bLineFeed = 0;
    if (c == ' ' && m_nLineLen == 1)
        Empty();  // leading spaces are dropped but still counted
}

CLineFramer::ECut CLineFramer::CutTest() const {
    if (m_nCharCount == kValueLength)
        return BeginsWithName() || BeginsWithError() ? ECut::None : ECut::Value;
    if (m_nCharCount != kNameLength)
        return ECut::None;
    if (BeginsWithError())
        return ECut::Error;
    // The 17th byte is reached only by a field that began as a name or an error; it can
    // lose that beginning only when a full buffer was emptied in between. Such a field is
    // neither: it is ended without a record.
    return BeginsWithName() ? ECut::Name : ECut::Discard;
}

std::unique_ptr<CServoData> CLineFramer::Cut(ECut kind) {
    if (kind == ECut::Discard) {
        Empty();
        m_nCharCount = 0;
        return nullptr;
    }
    auto record = std::make_unique<CServoData>();
    record->m_bValue = kind == ECut::Value ? 1 : 0;
    record->m_bError = kind == ECut::Error ? 1 : 0;

    // A zero byte from the drive ends the text there.
    std::string text(m_szLine, std::find(m_szLine, m_szLine + m_nLineLen, '\0'));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    for (char& c : text) {
        if (c == static_cast<char>(kCarriageReturn))
            c = ' ';
    }

    if (kind == ECut::Value) {
        const auto comma = text.find(',');
        if (comma != std::string::npos)
            text[comma] = '.';
        if (IsBlankValue(text))
            record.reset();
    } else if (kind == ECut::Name) {
        CollapseSpaceRuns(text);
    }
    if (record) {
        InvertBit6OfHighBytes(text);
        record->m_strText = std::move(text);
    }
    Empty();
    m_nCharCount = 0;
    return record;
}

bool CLineFramer::BeginsWithName() const {
    return m_nLineLen >= 2 && m_szLine[0] == 'P' && m_szLine[1] >= '0' && m_szLine[1] <= '9';
}

bool CLineFramer::BeginsWithError() const {
    return m_nLineLen >= 5 && std::memcmp(m_szLine, "Error", 5) == 0;
}

void CLineFramer::Empty() {
    m_nLineLen = 0;
    m_szLine[0] = 0;
}
