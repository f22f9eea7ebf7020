#include "platform/qt/MessageText.h"

#include "platform/qt/Cp1252.h"

#include <QStringDecoder>

QString DecodeMessageText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}
