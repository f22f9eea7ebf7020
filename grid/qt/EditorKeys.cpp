#include "grid/qt/EditorKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

std::uint32_t ArrowOrPageKey(int nQtKey) {
    switch (nQtKey) {
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        default:
            return 0;
    }
}

QString TextOfChar(std::uint32_t nChar) {
    if (nChar < 0x100) {
        return DecodeWindows1252(std::string(1, static_cast<char>(nChar)));
    }
    const auto codePoint = static_cast<char32_t>(nChar);
    return QString::fromUcs4(&codePoint, 1);
}

namespace {
int KeyOfChar(std::uint32_t nChar) {
    switch (nChar) {
        case VK_BACK:
            return Qt::Key_Backspace;
        case VK_TAB:
            return Qt::Key_Tab;
        case VK_RETURN:
            return Qt::Key_Return;
        case VK_ESCAPE:
            return Qt::Key_Escape;
        default:
            return nChar < 0x20 ? 0 : Qt::Key_unknown;
    }
}
}  // namespace

void TypeChar(QWidget* pTarget, std::uint32_t nChar) {
    const int nKey = KeyOfChar(nChar);
    if (nKey == 0) {
        return;
    }
    const QString text = nKey == Qt::Key_unknown ? TextOfChar(nChar) : QString();
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier, text);
    QCoreApplication::sendEvent(pTarget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, Qt::NoModifier, text);
    QCoreApplication::sendEvent(pTarget, &release);
}

bool IsSystemChar(const QKeyEvent* pEvent) {
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers();
    return (modifiers & Qt::AltModifier) != 0 && (modifiers & Qt::ControlModifier) == 0 &&
           !pEvent->text().isEmpty();
}

bool IsKeyWantedByEditor(const QKeyEvent* pEvent) {
    switch (pEvent->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return ArrowOrPageKey(pEvent->key()) != 0 || IsSystemChar(pEvent);
    }
}
