#pragma once

#include "link/ServoData.h"
#include "platform/ColorRef.h"

#include <cstdint>
#include <string>

// What the Edit page shows: each record the drive answers with goes into the name, value
// or error field, and the field of the kind that came last is highlighted white. The
// colours and the emptying of the value field change only when the kind changes; the
// error text turns red with the first error and stays red.

enum class EEditField { kName, kValue, kError };  // controls 1002, 1003, 1004

// A field's background: kept, white, or the platform's button face.
enum class EFieldBk { kKeep, kWhite, kButtonFace };
inline constexpr COLORREF kEditWhite = RGB(255, 255, 255);
inline constexpr COLORREF kEditRed = RGB(255, 0, 0);

// What one record changes in one field.
struct SFieldChange {
    bool bSetText = false;
    std::string strText;  // Windows-1252 bytes, every '&' doubled (the field draws prefixes)
    EFieldBk eBk = EFieldBk::kKeep;
    bool bRedText = false;  // the text colour becomes red
    bool operator==(const SFieldChange&) const = default;
};

struct SEditChanges {
    SFieldChange name, value, error;
    const SFieldChange& Field(EEditField eField) const {
        return eField == EEditField::kName ? name : eField == EEditField::kValue ? value : error;
    }
};

class CEditFields {
public:
    // Kinds of the record shown last.
    enum { kNone = -1, kName = 0, kError = 1, kValue = 2 };

    // The changes for one record, in the order the fields are to take them.
    SEditChanges Show(const CServoData& record);
    int LastKind() const { return m_nLastKind; }

private:
    int m_nLastKind = kNone;
};

// A field draws '&' as a mnemonic prefix: every one of the drive's ampersands is doubled
// so the text shows exactly as the drive sent it.
std::string EscapeAmpersands(const std::string& strText);

// The drive key byte for a key-down code (Enter, Escape, Up, Down and the letters E, O,
// U, D, whatever Shift or Caps Lock), or 0: the key is not a panel key. With Alt held a key
// is a system key (menus, mnemonics), never a panel key.
char EditKeyByte(std::uint32_t nVirtualKey, bool bAlt);
