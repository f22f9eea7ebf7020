#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DrawContext.h"
#include "platform/TextFormat.h"

// A drawing context with fixed metrics: every byte is kCharWidth pixels wide, every
// line kLineHeight high, with a settable overhang. It records the fonts selected into it.
class FakeDrawContext : public IDrawContext {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 13;

    CSize GetTextExtent(std::string_view text) const override {
        return {static_cast<int>(text.size()) * kCharWidth, kLineHeight};
    }

    // With DT_CALCRECT: lines end at '\n' and, with DT_WORDBREAK (not DT_SINGLELINE),
    // wrap between words at the rectangle's width.
    int DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) override {
        const bool bWrap = (nFormat & DT_WORDBREAK) != 0 && (nFormat & DT_SINGLELINE) == 0;
        const int nMaxWidth = pRect->Width();
        int nLines = 0;
        int nWidest = 0;
        for (std::string_view line : SplitLines(text, (nFormat & DT_SINGLELINE) != 0)) {
            int nLineWidth = 0;
            ++nLines;
            std::size_t nStart = 0;
            while (nStart <= line.size()) {
                std::size_t nEnd = line.find(' ', nStart);
                const std::size_t nWordEnd = nEnd == std::string_view::npos ? line.size() : nEnd;
                const int nWord = static_cast<int>(nWordEnd - nStart) * kCharWidth;
                const int nNeeded = nLineWidth == 0 ? nWord : nLineWidth + kCharWidth + nWord;
                if (bWrap && nLineWidth > 0 && nNeeded > nMaxWidth) {
                    nWidest = std::max(nWidest, nLineWidth);
                    ++nLines;
                    nLineWidth = nWord;
                } else {
                    nLineWidth = nNeeded;
                }
                if (nEnd == std::string_view::npos) {
                    break;
                }
                nStart = nEnd + 1;
            }
            nWidest = std::max(nWidest, nLineWidth);
        }
        const int nHeight = nLines * kLineHeight;
        if (nFormat & DT_CALCRECT) {
            pRect->right = pRect->left + nWidest;
            pRect->bottom = pRect->top + nHeight;
        }
        return nHeight;
    }

    bool GetTextMetrics(TEXTMETRIC* pMetrics) const override {
        pMetrics->tmHeight = kLineHeight;
        pMetrics->tmAscent = 10;
        pMetrics->tmDescent = 3;
        pMetrics->tmAveCharWidth = kCharWidth;
        pMetrics->tmOverhang = m_nOverhang;
        return true;
    }

    const CFont* SelectObject(const CFont* pFont) override {
        const CFont* pOld = m_pFont;
        m_pFont = pFont;
        m_selected.push_back(pFont);
        return pOld;
    }

    void SetOverhang(int nOverhang) { m_nOverhang = nOverhang; }
    const CFont* GetSelectedFont() const { return m_pFont; }
    // Every font selected, in order (nullptr for a restore to the context's own font).
    const std::vector<const CFont*>& Selections() const { return m_selected; }

private:
    static std::vector<std::string_view> SplitLines(std::string_view text, bool bSingleLine) {
        std::vector<std::string_view> lines;
        if (bSingleLine) {
            lines.push_back(text);
            return lines;
        }
        std::size_t nStart = 0;
        while (true) {
            const std::size_t nEnd = text.find('\n', nStart);
            if (nEnd == std::string_view::npos) {
                lines.push_back(text.substr(nStart));
                return lines;
            }
            lines.push_back(text.substr(nStart, nEnd - nStart));
            nStart = nEnd + 1;
        }
    }

    int m_nOverhang = 0;
    const CFont* m_pFont = nullptr;
    std::vector<const CFont*> m_selected;
};
