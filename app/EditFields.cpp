#include "app/EditFields.h"

#include "platform/WindowInput.h"

std::string EscapeAmpersands(const std::string& strText) {
    std::string escaped;
    escaped.reserve(strText.size());
    for (const char c : strText) {
        if (c == '&')
            escaped += '&';
        escaped += c;
    }
    return escaped;
}

char EditKeyByte(std::uint32_t nVirtualKey, bool bAlt) {
    if (bAlt)
        return 0;
    switch (nVirtualKey) {
        case VK_RETURN:
        case 'E':
            return 'e';
        case VK_ESCAPE:
        case 'O':
            return 'o';
        case VK_UP:
        case 'U':
            return 'u';
        case VK_DOWN:
        case 'D':
            return 'd';
        default:
            return 0;
    }
}

SEditChanges CEditFields::Show(const CServoData& record) {
    SEditChanges changes;
    const bool bValue = record.m_bValue == 1;
    const int nKind = bValue ? kValue : record.m_bError == 1 ? kError : kName;
    SFieldChange& shown = nKind == kValue ? changes.value : nKind == kError ? changes.error : changes.name;
    shown.bSetText = true;
    shown.strText = EscapeAmpersands(record.m_strText);
    if (nKind == m_nLastKind)
        return changes;
    m_nLastKind = nKind;
    changes.name.eBk = changes.value.eBk = changes.error.eBk = EFieldBk::kButtonFace;
    shown.eBk = EFieldBk::kWhite;
    if (nKind == kError)
        changes.error.bRedText = true;
    if (nKind != kValue) {  // a name or an error empties the value shown
        changes.value.bSetText = true;
        changes.value.strText.clear();
    }
    return changes;
}
