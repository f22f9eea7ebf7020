#include "grid/qt/ComboEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <limits>

#include "grid/qt/EditorKeys.h"
#include "grid/qt/InPlaceList.h"
#include "platform/WindowInput.h"

// A text of one's own may be as long as a cell holds, past the line edit's own limit.
CComboEdit::CComboEdit(CInPlaceList* pList) : QLineEdit(pList), m_pList(pList) {
    setMaxLength(std::numeric_limits<int>::max());
}

CComboEdit::~CComboEdit() = default;

void CComboEdit::PlaceCaret(std::uint32_t nFirstChar) {
    switch (nFirstChar) {
        case VK_LBUTTON:
        case VK_RETURN:
            end(false);
            return;
        case VK_BACK:
            end(false);
            TypeChar(m_pList, nFirstChar);
            return;
        default:
            selectAll();
            if (nFirstChar != VK_TAB && (nFirstChar < VK_PRIOR || nFirstChar > VK_DOWN)) {
                TypeChar(m_pList, nFirstChar);
            }
            return;
    }
}

void CComboEdit::keyPressEvent(QKeyEvent* pEvent) {
    if (CInPlaceList::IsEndKey(pEvent) || IsSystemChar(pEvent)) {
        QCoreApplication::sendEvent(m_pList, pEvent);
        return;
    }
    QLineEdit::keyPressEvent(pEvent);
}
