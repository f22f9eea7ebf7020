#include "platform/qt/CellTextMime.h"

#include "platform/qt/Cp1252.h"

#include <QByteArray>
#include <QMimeData>

QMimeData* CreateCellTextMimeData(const std::string& text) {
    auto* pData = new QMimeData;
    pData->setText(DecodeWindows1252(text));
    pData->setData(QString::fromLatin1(kCellTextMimeType),
                   QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    return pData;
}

bool HasCellText(const QMimeData* pData) {
    return pData != nullptr && (pData->hasFormat(QString::fromLatin1(kCellTextMimeType)) || pData->hasText());
}

std::optional<std::string> CellTextFromMimeData(const QMimeData* pData) {
    if (pData == nullptr) {
        return std::nullopt;
    }
    if (pData->hasFormat(QString::fromLatin1(kCellTextMimeType))) {
        const QByteArray bytes = pData->data(QString::fromLatin1(kCellTextMimeType));
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (pData->hasText()) {
        return EncodeWindows1252(pData->text());
    }
    return std::nullopt;
}
