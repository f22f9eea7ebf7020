#include "platform/qt/QtClipboard.h"

#include "platform/qt/CellTextMime.h"

#include <QClipboard>
#include <QGuiApplication>

void CQtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setMimeData(CreateCellTextMimeData(text));
}

bool CQtClipboard::HasText() const {
    return HasCellText(QGuiApplication::clipboard()->mimeData());
}

std::optional<std::string> CQtClipboard::GetText() const {
    return CellTextFromMimeData(QGuiApplication::clipboard()->mimeData());
}
