#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/qt/GridEditors.h"
#include "platform/qt/QtDrawContext.h"

// A grid on a plain widget: the grid logic and the real editors without the grid's
// own window, which has tests of its own. It records every end of edit the editors
// report and every edit the grid starts.
class CRecordingGrid : public CGridCtrl {
public:
    struct SEnd {
        int nRow = -1;
        int nCol = -1;
        std::string strText;
    };
    using CGridCtrl::CGridCtrl;

    void OnEditCell(int nRow, int nCol, CPoint point, std::uint32_t nChar) override {
        m_starts.push_back(nChar);
        CGridCtrl::OnEditCell(nRow, nCol, point, nChar);
    }
    void OnEndEditCell(int nRow, int nCol, const std::string& str) override {
        m_ends.push_back({nRow, nCol, str});
        if (m_bEndAgain) {
            EndEditing();  // re-entry: must not report a second time
        }
        CGridCtrl::OnEndEditCell(nRow, nCol, str);
    }

    std::vector<std::uint32_t> m_starts;
    std::vector<SEnd> m_ends;
    bool m_bEndAgain = false;
};

class CTestHost : public IGridWindowHost {
public:
    CTestHost(QWidget* pWidget, CGridCtrl* pGrid) : m_pWidget(pWidget), m_pGrid(pGrid) {}
    bool IsWindow() const override { return true; }
    void* GetSafeHwnd() const override { return m_pWidget; }
    void Invalidate(bool) override {}
    void InvalidateRect(const CRect&, bool) override {}
    CRect GetClientRect() const override { return {0, 0, m_pWidget->width(), m_pWidget->height()}; }
    std::unique_ptr<IDrawContext> GetDC() override {
        return std::make_unique<CQtDrawContext>(m_pWidget->font());
    }
    void SetFocus() override { m_pWidget->setFocus(); }
    IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override {
        return CreateInPlaceEditWnd(m_pWidget, m_pGrid, rect, dwStyle, nID, nRow, nCol, strInitText,
                                    nFirstChar);
    }
    IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, COLORREF crFore, COLORREF crBack,
                                    const std::vector<std::string>& options, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override {
        return CreateInPlaceListWnd(m_pWidget, m_pGrid, rect, dwStyle, nID, nRow, nCol, crFore, crBack,
                                    options, strInitText, nFirstChar);
    }

private:
    QWidget* m_pWidget;
    CGridCtrl* m_pGrid;
};

// A shown, active window with the grid's widget (300 x 200) and a line edit that
// can take the focus away. The grid has 6 rows and 4 columns, one of each fixed,
// columns 70 pixels wide.
class CEditorWindow {
public:
    explicit CEditorWindow(bool bLightCells = false) {
        m_window.resize(400, 260);
        m_pGridWidget->setGeometry(0, 0, 300, 200);
        m_pGridWidget->setFocusPolicy(Qt::StrongFocus);
        m_pOther->setGeometry(0, 220, 100, 24);
        if (bLightCells) {
            m_grid.SetLightCellMode();
        }
        m_grid.Create(&m_host);
        m_grid.SetRowCount(6);
        m_grid.SetColumnCount(4);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        for (int nCol = 0; nCol < 4; ++nCol) {
            m_grid.SetColumnWidth(nCol, 70);
        }
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        (void)QTest::qWaitForWindowActive(&m_window);
        m_pGridWidget->setFocus();
    }
    ~CEditorWindow() { m_grid.Create(nullptr); }
    CEditorWindow(const CEditorWindow&) = delete;
    CEditorWindow& operator=(const CEditorWindow&) = delete;

    // Starts an edit of the cell as the grid does for a key or a click.
    void StartEdit(int nRow, int nCol, const std::string& strText, std::uint32_t nChar) {
        m_grid.SetItemText(nRow, nCol, strText);
        m_grid.SetFocusCell(nRow, nCol);
        m_grid.OnEditCell(nRow, nCol, CPoint(-1, -1), nChar);
    }
    // The editor of type T now open (ended ones are hidden until they are freed).
    template <typename T>
    T* Editor() const {
        for (T* pEditor : m_pGridWidget->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (pEditor->isVisible()) {
                return pEditor;
            }
        }
        return nullptr;
    }
    // Lets the editors that ended free themselves.
    static void FreeClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The grid outlives its window, as the grid widget's owner keeps it.
    CRecordingGrid m_grid;
    QWidget m_window;
    QWidget* m_pGridWidget = new QWidget(&m_window);
    QLineEdit* m_pOther = new QLineEdit(&m_window);
    CTestHost m_host{m_pGridWidget, &m_grid};
};
