#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridEditWnd.h"
#include "grid/GridNotify.h"
#include "grid/GridWindowHost.h"
#include "platform/SystemMetrics.h"
#include "support/FakeDrawContext.h"

// An editor that records what the grid and cells ask of it.
class FakeEditWnd : public IGridEditWnd {
public:
    void EndEdit() override { ++m_nEndEdits; }
    void SendChar(std::uint32_t nChar) override { m_chars.push_back(nChar); }

    int m_nEndEdits = 0;
    std::vector<std::uint32_t> m_chars;
};

// A window that measures with FakeDrawContext, keeps its scroll bars as plain values
// and records what the grid asks of it. Posted scroll requests wait in a queue until
// the test delivers them with DeliverPosted.
class FakeWindowHost : public IGridWindowHost {
public:
    struct EditRequest {
        CRect rect;
        std::uint32_t dwStyle = 0;
        int nRow = -1;
        int nCol = -1;
        std::string strText;
        std::vector<std::string> options;
        std::uint32_t nFirstChar = 0;
    };
    struct Bar {
        bool bShown = false;
        SCROLLINFO info;
    };

    bool IsWindow() const override { return true; }
    void* GetSafeHwnd() const override { return const_cast<FakeWindowHost*>(this); }
    void Invalidate(bool) override { ++m_nInvalidates; }
    void InvalidateRect(const CRect& rect, bool) override { m_invalidRects.push_back(rect); }
    // The client area shrinks by the bars that are shown, as on a real window.
    CRect GetClientRect() const override {
        CRect rect = m_client;
        if (m_bars[SB_VERT].bShown) {
            rect.right -= GetSystemMetrics(SM_CXVSCROLL);
        }
        if (m_bars[SB_HORZ].bShown) {
            rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
        }
        return rect;
    }
    std::unique_ptr<IDrawContext> GetDC() override { return std::make_unique<FakeDrawContext>(); }

    bool GetScrollInfo(int nBar, SCROLLINFO* pInfo) const override {
        *pInfo = m_bars[nBar].info;
        pInfo->nTrackPos = m_nTrackPos;
        return true;
    }
    // The position is kept inside the range as a scroll bar keeps it.
    void SetScrollInfo(int nBar, const SCROLLINFO& info, bool) override {
        ++m_nScrollInfoSets;
        SCROLLINFO& mine = m_bars[nBar].info;
        if (info.fMask & SIF_RANGE) {
            mine.nMin = info.nMin;
            mine.nMax = info.nMax;
        }
        if (info.fMask & SIF_PAGE) {
            mine.nPage = info.nPage;
        }
        if (info.fMask & SIF_POS) {
            mine.nPos = info.nPos;
        }
        const int nLimit = std::max(mine.nMin, mine.nMax - std::max(static_cast<int>(mine.nPage), 1) + 1);
        mine.nPos = std::clamp(mine.nPos, mine.nMin, nLimit);
    }
    void ShowScrollBar(int nBar, bool bShow) override { m_bars[nBar].bShown = bShow; }
    void PostScrollRequest(int nBar, int nCode) override { m_posted.emplace_back(nBar, nCode); }

    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }
    void SetCursor(int nCursor) override { m_nCursor = nCursor; }
    CPoint GetCursorPos() const override { return m_cursor; }
    void SetDragLine(const CRect* pBand) override { m_bDragLine = pBand != nullptr; }
    void SetTimer(unsigned nIDEvent, unsigned) override { m_nTimer = nIDEvent; }
    void KillTimer(unsigned) override { m_nTimer = 0; }
    void PostCommandToOwner() override { ++m_nCommands; }
    std::uint32_t DoDragDrop(const std::string&, std::uint32_t) override {
        ++m_nDrags;
        return DROPEFFECT_NONE;
    }
    void ShowTitleTip(const CRect&, const std::string& strTitle, int, const CRect&, const LOGFONT*, COLORREF,
                      COLORREF) override {
        m_tips.push_back(strTitle);
    }

    IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t, int nRow,
                                    int nCol, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override {
        m_edits.push_back({rect, dwStyle, nRow, nCol, strInitText, {}, nFirstChar});
        return &m_editor;
    }
    IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t, int nRow,
                                    int nCol, COLORREF, COLORREF, const std::vector<std::string>& options,
                                    const std::string& strInitText, std::uint32_t nFirstChar) override {
        m_edits.push_back({rect, dwStyle, nRow, nCol, strInitText, options, nFirstChar});
        return &m_editor;
    }

    // Hands the queued scroll requests to the grid, as the window's event loop would.
    template <class Grid>
    void DeliverPosted(Grid& grid) {
        auto posted = std::move(m_posted);
        m_posted.clear();
        for (auto [nBar, nCode] : posted) {
            nBar == SB_VERT ? grid.OnVScroll(nCode) : grid.OnHScroll(nCode);
        }
    }

    CRect m_client{0, 0, 400, 300};
    Bar m_bars[2];
    int m_nTrackPos = 0;
    int m_nScrollInfoSets = 0;
    int m_nInvalidates = 0;
    std::vector<CRect> m_invalidRects;
    std::vector<std::pair<int, int>> m_posted;
    bool m_bCapture = false;
    int m_nCursor = 0;
    CPoint m_cursor;
    bool m_bDragLine = false;
    unsigned m_nTimer = 0;
    int m_nCommands = 0;
    int m_nDrags = 0;
    std::vector<std::string> m_tips;
    std::vector<EditRequest> m_edits;
    FakeEditWnd m_editor;
};

// System metrics with a screen context, for measuring the default cells' fonts.
class ScreenSystemMetrics : public CFixedSystemMetrics {
public:
    std::unique_ptr<IDrawContext> GetScreenDC() const override { return std::make_unique<FakeDrawContext>(); }
};

// Installs metrics for one test and puts the fixed ones back afterwards.
class ScopedSystemMetrics {
public:
    explicit ScopedSystemMetrics(ISystemMetrics* pMetrics) { SetSystemMetrics(pMetrics); }
    ~ScopedSystemMetrics() { SetSystemMetrics(nullptr); }
    ScopedSystemMetrics(const ScopedSystemMetrics&) = delete;
    ScopedSystemMetrics& operator=(const ScopedSystemMetrics&) = delete;
};

// An owner that records notifications and answers with a set value.
class RecordingNotifyTarget : public IGridNotifyTarget {
public:
    std::intptr_t OnGridNotify(int idFrom, NMHDR* pNotify) override {
        m_ids.push_back(idFrom);
        m_codes.push_back(pNotify->code);
        if (pNotify->code == GN_GETDISPINFO) {
            auto* pDispInfo = reinterpret_cast<GRID_DISPINFO*>(pNotify);
            pDispInfo->item.strText =
                "r" + std::to_string(pDispInfo->item.row) + "c" + std::to_string(pDispInfo->item.col);
            m_lastState = pDispInfo->item.nState;
        } else if (pNotify->code != GN_ODCACHEHINT) {
            const auto* pGridNotify = reinterpret_cast<GRID_NOTIFY*>(pNotify);
            m_cells.push_back({pGridNotify->iRow, pGridNotify->iColumn});
        }
        return m_nAnswer;
    }

    std::intptr_t m_nAnswer = 0;
    std::vector<int> m_ids;
    std::vector<int> m_codes;
    std::vector<std::pair<int, int>> m_cells;
    std::uint32_t m_lastState = 0;
};
