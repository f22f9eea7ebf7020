#include "FramingVectors.h"

#include <cstdio>

namespace {
std::string Spaces(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}
}  // namespace

const std::vector<SFramingVector>& FramingExamples() {
    static const std::vector<SFramingVector> rows = {
        {"name then value",
         "\n\nP03 Max speed   \r\n\n   2500,0 rpm   \r\n",
         {{'n', "P03 Max speed "}, {'v', "2500.0 rpm"}}},
        {"runs of spaces in a name", "P12  Accel  time\r", {{'n', "P12 Accel time "}}},
        {"long name cut at 17", "P12 Accel time very long\r\n", {{'n', "P12 Accel time ve"}}},
        {"one line feed joins", "P12\nAccel time" + Spaces(6) + "\r", {{'n', "P12Accel time "}}},
        {"error cut before terminator", "Error 07 Overvolt", {{'e', "Error 07 Overvolt"}}},
        {"error keeps its spaces", "Error 07" + Spaces(8) + "\r", {{'e', "Error 07" + Spaces(9)}}},
        {"value trimmed", "Menu" + Spaces(12), {{'v', "Menu"}}},
        {"leading spaces dropped", "  x" + Spaces(13), {{'v', "x"}}},
        {"first comma only", "1,5,7" + Spaces(11), {{'v', "1.5,7"}}},
        {"high byte bit 6",
         "Temp \xB0"
         "C" +
             Spaces(9),
         {{'v',
           "Temp \xF0"
           "C"}}},
        {"line feeds join a value", "AB\nCD\n0123456789ABCDEF", {{'v', "ABCD0123456789ABCDEF"}}},
        {"lone control character", "\x01" + Spaces(15), {}},
        {"sixteen spaces", Spaces(16), {}},
        {"carriage return resets", "abc\r", {}},
        {"text waits in the buffer", "AB\nCD\nEF\n", {}},
    };
    return rows;
}

const std::vector<SFramingVector>& FramingEdgeCases() {
    static const std::vector<SFramingVector> rows = {
        {"name-like value goes on to 17", "P1234567890ABCDEFG", {{'n', "P1234567890ABCDEF"}}},
        {"P without digit is a value", "Px34567890ABCDEF", {{'v', "Px34567890ABCDEF"}}},
        {"short error discarded by two line feeds", "Error 5\r\n\nMenu" + Spaces(12), {{'v', "Menu"}}},
        {"carriage return first", "\rMenu" + Spaces(12), {{'v', "Menu"}}},
        {"carriage return restarts a short field", "abc\rMenu" + Spaces(12), {{'v', "Menu"}}},
        {"three leading spaces counted", "   abcdefghijklm", {{'v', "abcdefghijklm"}}},
        {"one visible character posted", "7" + Spaces(15), {{'v', "7"}}},
        {"short name kept", "P1" + Spaces(14) + "\r", {{'n', "P1 "}}},
        {"all high bytes",
         "\x80\xBF\xC0\xFF"
         "abc" +
             Spaces(9),
         {{'v',
           "\xC0\xFF\x80\xBF"
           "abc"}}},
        {"zero byte ends the text", std::string("ab\0cd", 5) + Spaces(11), {{'v', "ab"}}},
        {"zero byte first gives nothing", std::string("\0", 1) + "bcd" + Spaces(12), {}},
        {"back to back fields", "12" + Spaces(14) + "13" + Spaces(14), {{'v', "12"}, {'v', "13"}}},
        {"name without padding", "P07 Gain loop 12\r\n\n", {{'n', "P07 Gain loop 12 "}}},
    };
    return rows;
}

SExpectedRecord Describe(const CServoData& record) {
    const char kind = record.m_bError ? 'e' : (record.m_bValue ? 'v' : 'n');
    return {kind, record.m_strText};
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "[%02X]", byte);
            out += hex;
        }
    }
    return out;
}

std::string Printable(const std::vector<SExpectedRecord>& records) {
    std::string out;
    for (const auto& record : records)
        out += std::string(1, record.m_cKind) + ":\"" + Printable(record.m_strText) + "\" ";
    return out.empty() ? "(none)" : out;
}

void PrintTo(const SExpectedRecord& record, std::ostream* out) {
    *out << record.m_cKind << ":\"" << Printable(record.m_strText) << '"';
}
