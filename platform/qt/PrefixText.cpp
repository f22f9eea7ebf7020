#include "platform/qt/PrefixText.h"

CPrefixText ProcessPrefixes(const QString& text) {
    CPrefixText result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            result.m_strShown.append(text[i]);
            continue;
        }
        ++i;  // skip the prefix itself
        if (i == text.size())
            break;
        if (text[i] != QLatin1Char('&'))
            result.m_aUnderlined.append(static_cast<int>(result.m_strShown.size()));
        result.m_strShown.append(text[i]);
    }
    return result;
}

QString ToQtMnemonicText(const CPrefixText& text) {
    QString encoded;
    qsizetype next = 0;  // next entry of m_aUnderlined
    for (qsizetype i = 0; i < text.m_strShown.size(); ++i) {
        const QChar c = text.m_strShown[i];
        if (next < text.m_aUnderlined.size() && text.m_aUnderlined[next] == i) {
            ++next;
            if (c != QLatin1Char('&')) {
                encoded.append(QLatin1Char('&'));
                encoded.append(c);
                continue;
            }
        }
        if (c == QLatin1Char('&'))
            encoded.append(QLatin1Char('&'));
        encoded.append(c);
    }
    return encoded;
}
