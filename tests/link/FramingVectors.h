#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "link/ServoData.h"

// Byte streams of the drive and the records they must give, shared by the framer tests
// and the reader tests that feed the same streams through a port.
struct SExpectedRecord {
    char m_cKind;  // 'n' name, 'v' value, 'e' error
    std::string m_strText;
    bool operator==(const SExpectedRecord&) const = default;
};

struct SFramingVector {
    const char* m_pszLabel;
    std::string m_strBytes;
    std::vector<SExpectedRecord> m_Records;
};

// The examples every implementation of the framing must reproduce, row by row.
const std::vector<SFramingVector>& FramingExamples();
// Edge cases of the cut rules beyond the examples.
const std::vector<SFramingVector>& FramingEdgeCases();

SExpectedRecord Describe(const CServoData& record);
std::string Printable(const std::string& bytes);
std::string Printable(const std::vector<SExpectedRecord>& records);

// Lets GoogleTest show records readably in failure messages.
void PrintTo(const SExpectedRecord& record, std::ostream* out);
