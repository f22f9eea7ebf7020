#pragma once

#include <cstdint>
#include <string>

#include <QLineEdit>
#include <QString>

#include "grid/GridEditWnd.h"
#include "grid/qt/EditorLink.h"
#include "platform/Geometry.h"

class CGridCtrl;

// The one-line text editor a cell puts over itself while it is edited: a child of
// the grid widget. It takes the key that started the edit, grows to the right as the
// text grows, and ends on focus loss, Tab, Enter, Escape or (when started by a key,
// or with Ctrl) an arrow or page key. Then it reports once to the grid and frees
// itself; the cell only points at it.
class CInPlaceEdit final : public QLineEdit, public IGridEditWnd, public CGridEditorLink {
    Q_OBJECT

public:
    // strInitText is the cell's Windows-1252 text; nFirstChar the key that started
    // the edit (VK_LBUTTON for a click or F2).
    CInPlaceEdit(QWidget* pParent, CGridCtrl* pGrid, const CRect& rect, std::uint32_t dwStyle,
                 std::uint32_t nID, int nRow, int nCol, const std::string& strInitText,
                 std::uint32_t nFirstChar);
    ~CInPlaceEdit() override;

    void EndEdit() override;
    void SendChar(std::uint32_t nChar) override;

    bool GetExitOnArrows() const { return m_bExitOnArrows; }
    // The editor's place in the grid's client coordinates.
    const CRect& GetRect() const { return m_rect; }

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void PlaceCaret(std::uint32_t nFirstChar);
    // Stores the key and hands the focus to the grid, which ends the edit.
    void EndWithKey(std::uint32_t nKey);
    void Grow();
    void Close();

    CRect m_rect;
    bool m_bExitOnArrows = true;
    bool m_bEnded = false;
};
