#pragma once

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

// A window that measures with FakeDrawContext and records invalidations and editors.
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

    bool IsWindow() const override { return true; }
    void* GetSafeHwnd() const override { return const_cast<FakeWindowHost*>(this); }
    void Invalidate(bool) override { ++m_nInvalidates; }
    void InvalidateRect(const CRect&, bool) override { ++m_nInvalidates; }
    void InvalidateCell(int nRow, int nCol) override { m_invalidCells.push_back({nRow, nCol}); }
    void ResetScrollBars() override { ++m_nScrollResets; }
    CRect GetClientRect() const override { return {0, 0, 400, 300}; }
    std::unique_ptr<IDrawContext> GetDC() override { return std::make_unique<FakeDrawContext>(); }

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

    int m_nInvalidates = 0;
    int m_nScrollResets = 0;
    std::vector<std::pair<int, int>> m_invalidCells;
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
