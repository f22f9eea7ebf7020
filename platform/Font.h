#pragma once

#include "platform/LogFont.h"

// A font made from a description. The core only keeps the description; a drawing
// context turns it into its own font when the font is selected into it.
class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    bool CreateFontIndirect(const LOGFONT* pLogFont) {
        if (pLogFont == nullptr) {
            return false;
        }
        m_lf = *pLogFont;
        m_bValid = true;
        return true;
    }
    void DeleteObject() {
        m_lf = LOGFONT{};
        m_bValid = false;
    }
    bool IsValid() const { return m_bValid; }
    const LOGFONT& GetLogFont() const { return m_lf; }

private:
    LOGFONT m_lf{};
    bool m_bValid = false;
};
