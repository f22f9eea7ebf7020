// Parses arbitrary bytes: never crashes, and for texts whose integer part has at most
// fifteen significant digits the count equals a slow reference worked out on decimal
// digit strings (the exact value, reduced modulo 2^64 as the count wraps).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "table/FixedPoint.h"

namespace {
struct SReference {
    bool bNegative = false;
    std::string strDigits;  // integer digits then exactly four decimals, no sign
    int nIntegerDigits = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest number at the start of the text, as digit strings.
SReference ReadReference(const std::string& text) {
    SReference ref;
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ref.bNegative = text[0] == '-';
        i = 1;
    }
    std::string integer;
    while (i < text.size() && IsDigit(text[i]))
        integer += text[i++];
    std::string decimals;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]) && decimals.size() < 4)
            decimals += text[i++];
    }
    const std::size_t first = integer.find_first_not_of('0');
    integer = first == std::string::npos ? "" : integer.substr(first);
    ref.nIntegerDigits = static_cast<int>(integer.size());
    decimals.resize(4, '0');
    ref.strDigits = integer + decimals;
    return ref;
}

// Halves a decimal digit string in place; returns the remainder.
int HalveDigits(std::string& digits) {
    int carry = 0;
    for (char& c : digits) {
        const int value = carry * 10 + (c - '0');
        c = static_cast<char>('0' + value / 2);
        carry = value % 2;
    }
    return carry;
}

// The low 64 bits of a decimal digit string, one bit per halving.
std::uint64_t Low64Bits(std::string digits) {
    std::uint64_t bits = 0;
    for (int bit = 0; bit < 64; ++bit)
        bits |= static_cast<std::uint64_t>(HalveDigits(digits)) << bit;
    return bits;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CFixedPoint value;
    value.Parse(text);
    const SReference ref = ReadReference(text);
    if (ref.nIntegerDigits > 15)
        return 0;
    std::uint64_t expected = Low64Bits(ref.strDigits);
    if (ref.bNegative)
        expected = 0 - expected;
    if (static_cast<std::uint64_t>(value.GetRaw()) != expected)
        std::abort();
    return 0;
}
