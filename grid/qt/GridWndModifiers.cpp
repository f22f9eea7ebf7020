#include "grid/qt/GridWnd.h"

#include <QGuiApplication>

// Asked by the grid when an editor hands on the key that ended it: the keyboard's state
// now, as the editor saw it a moment ago.
std::uint32_t CGridWnd::GetKeyModifiers() const {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    std::uint32_t nFlags = 0;
    if (modifiers & Qt::ShiftModifier)
        nFlags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        nFlags |= MK_CONTROL;
    return nFlags;
}
