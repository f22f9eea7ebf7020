#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"

// A grid that records the edits it starts (by their first key) and the ends of edit
// its editors report; it can end the edit again from inside the report.
class CRecordingGrid : public CGridCtrl {
public:
    struct SEnd {
        int nRow = -1;
        int nCol = -1;
        std::string strText;
    };

    void OnEditCell(int nRow, int nCol, CPoint point, std::uint32_t nChar) override {
        m_starts.push_back(nChar);
        CGridCtrl::OnEditCell(nRow, nCol, point, nChar);
    }
    void OnEndEditCell(int nRow, int nCol, const std::string& str) override {
        m_ends.push_back({nRow, nCol, str});
        if (m_bEndAgain) {
            EndEditing();
        }
        CGridCtrl::OnEndEditCell(nRow, nCol, str);
    }

    std::vector<std::uint32_t> m_starts;
    std::vector<SEnd> m_ends;
    bool m_bEndAgain = false;
};

// An active window with the grid's window (300 x 200) and a line edit that can take
// the focus away. The grid has 6 rows and 4 columns 70 pixels wide, one of each fixed.
// The grid outlives its window, as the window's owner keeps it.
class CEditorWindow {
public:
    explicit CEditorWindow(bool bLightCells = false) {
        if (bLightCells) {
            m_grid.SetLightCellMode();
        }
        m_window.resize(400, 260);
        m_pGridWnd->setGeometry(0, 0, 300, 200);
        m_pOther->setGeometry(0, 220, 100, 24);
        m_grid.SetRowCount(6);
        m_grid.SetColumnCount(4);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        for (int nCol = 0; nCol < 4; ++nCol) {
            m_grid.SetColumnWidth(nCol, 70);
        }
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_pGridWnd->setFocus();
    }

    // Starts an edit of the cell as the grid does for a key or a click.
    void StartEdit(int nRow, int nCol, const std::string& strText, std::uint32_t nChar) {
        m_grid.SetItemText(nRow, nCol, strText);
        m_grid.SetFocusCell(nRow, nCol);
        m_grid.OnEditCell(nRow, nCol, CPoint(-1, -1), nChar);
    }
    CGridCellCombo* MakeCombo(int nRow, int nCol, std::vector<std::string> options, std::uint32_t dwStyle) {
        m_grid.SetCellType(nRow, nCol, RUNTIME_CLASS(CGridCellCombo));
        auto* pCell = static_cast<CGridCellCombo*>(m_grid.GetCell(nRow, nCol));
        pCell->SetOptions(options);
        pCell->SetStyle(dwStyle);
        return pCell;
    }
    // The open editor of type T (one that ended stays hidden until it is freed).
    template <typename T>
    T* Editor() const {
        for (T* pEditor : m_pGridWnd->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (pEditor->isVisible()) {
                return pEditor;
            }
        }
        return nullptr;
    }
    // Lets the editors that ended close and free themselves.
    static void FreeClosed() {
        QTest::qWait(1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CRecordingGrid m_grid;
    QWidget m_window;
    CGridWnd* m_pGridWnd = new CGridWnd(m_grid, &m_window);
    QLineEdit* m_pOther = new QLineEdit(&m_window);
};
