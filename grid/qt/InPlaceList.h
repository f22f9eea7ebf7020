#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QComboBox>

#include "grid/GridEditWnd.h"
#include "grid/qt/EditorLink.h"
#include "platform/ColorRef.h"
#include "platform/Geometry.h"

class CComboEdit;
class CGridCtrl;

// The option list a combo cell puts over itself while it is edited: a combo box,
// child of the grid widget, dropped down at once. Style 2 has an edit field
// (CComboEdit) for a text of one's own, style 3 offers the options only. The edit
// ends when the focus leaves the box, on Tab, Enter or Escape, or on Ctrl with an
// arrow or page key; every end of edit is reported to the grid, and the box then
// closes and frees itself.
class CInPlaceList final : public QComboBox, public IGridEditWnd, public CGridEditorLink {
    Q_OBJECT

public:
    static constexpr int kMaxDropWidth = 200;

    CInPlaceList(QWidget* pParent, CGridCtrl* pGrid, const CRect& rect, std::uint32_t dwStyle,
                 std::uint32_t nID, int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                 const std::vector<std::string>& options, const std::string& strInitText,
                 std::uint32_t nFirstChar);
    ~CInPlaceList() override;

    void EndEdit() override;
    void SendChar(std::uint32_t nChar) override;

    // Tab, Enter, Escape, and Ctrl with an arrow or page key.
    static bool IsEndKey(const QKeyEvent* pEvent);
    int GetDroppedWidth() const { return m_nDroppedWidth; }
    CComboEdit* GetEdit() const { return m_pEdit; }
    COLORREF GetTextColor() const { return m_crForeClr; }
    COLORREF GetBackColor() const { return m_crBackClr; }
    void showPopup() override;

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void SizeList();
    void WatchFocusAndList();
    void SelectInitialText();
    void SetDroppedWidth();
    // The dropped list's keys: the ending keys as in the box; with an edit field the
    // typing goes to the field, as the field keeps the focus while the list is down.
    bool OnListKey(QKeyEvent* pEvent);
    void OnEndKey(const QKeyEvent* pEvent);
    // Stores the key and hands the focus to the grid, which ends the edit.
    void EndWithKey(std::uint32_t nKey);
    void OnFocusChanged(const QWidget* pOld, const QWidget* pNow);
    bool IsPartOfBox(const QWidget* pWidget) const;
    void CloseBox();

    CComboEdit* m_pEdit = nullptr;
    QMetaObject::Connection m_focusWatch;
    QMetaObject::Connection m_listWatch;
    int m_nCellHeight = 0;
    int m_nDroppedWidth = 0;
    // The cell's colours: kept, but the box is drawn in the widget's own colours.
    COLORREF m_crForeClr = CLR_DEFAULT;
    COLORREF m_crBackClr = CLR_DEFAULT;
    int m_nReports = 0;
    // Text typed into the edit field after the last move in the list.
    bool m_bTypedSinceMove = false;
    // A key in the dropped list is being handled by the list.
    bool m_bMovingInList = false;
    bool m_bClosePosted = false;
    bool m_bClosing = false;
};
