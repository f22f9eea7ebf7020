#pragma once

#include <QList>
#include <QString>

// A control text after Windows-style prefix processing: "&&" shows one '&', a single
// '&' is not shown and underlines the character after it, a '&' at the very end is
// dropped.
struct CPrefixText {
    QString m_strShown;        // the characters that are drawn
    QList<int> m_aUnderlined;  // indexes into m_strShown, rising
};

CPrefixText ProcessPrefixes(const QString& text);

// The same display in the form QPainter draws with Qt::TextShowMnemonic.
QString ToQtMnemonicText(const CPrefixText& text);
