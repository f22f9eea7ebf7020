#pragma once

#include <cstddef>
#include <memory>

#include "link/ServoData.h"

// Cuts the drive's output into fields, one byte at a time. The drive has no line protocol:
// a field is recognised by counting bytes since the last line feed (a value after 16
// bytes, a name or an error after 17); carriage returns and line feeds only restart or
// discard a field. The reader thread owns one framer and feeds it every byte it reads; the
// state survives between reads, so a field may arrive split over any number of them.
class CLineFramer {
public:
    static constexpr int kLineSize = 500;

    // Runs the byte step for c; returns the record that c completed, if any.
    std::unique_ptr<CServoData> Step(unsigned char c);

    // Runs the byte step for each byte in order and hands every record to emit.
    template <typename Emit>
    void Feed(const char* bytes, std::size_t count, Emit&& emit) {
        for (std::size_t i = 0; i < count; ++i) {
            if (auto record = Step(static_cast<unsigned char>(bytes[i])))
                emit(std::move(record));
        }
    }

    int LineLen() const { return m_nLineLen; }
    int CharCount() const { return m_nCharCount; }
    int LineFeed() const { return m_bLineFeed; }
    const char* Line() const { return m_szLine; }

private:
    enum class ECut { None, Value, Name, Error, Discard };

    void Append(unsigned char c);
    void OnLineFeed();
    void OnCarriageReturn();
    void OnOtherByte(unsigned char c);
    ECut CutTest() const;
    std::unique_ptr<CServoData> Cut(ECut kind);
    bool BeginsWithName() const;
    bool BeginsWithError() const;
    void Empty();

    char m_szLine[kLineSize + 1] = {};
    int m_nLineLen = 0;
    int m_nCharCount = 0;  // bytes since the last line feed or cut; dropped spaces count
    int m_bLineFeed = 0;   // the previous byte was a line feed
};
