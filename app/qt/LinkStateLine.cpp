#include "app/qt/LinkStateLine.h"

#include "app/SheetRouting.h"

#include <QMetaObject>

CLinkStateLine::CLinkStateLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("linkState"));
    // A long device path must not raise the sheet's least width; the tool tip has it all.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void CLinkStateLine::OnLinkState(ELinkState state, const std::string& detail) {
    const QString text = QString::fromLocal8Bit(detail.data(), static_cast<qsizetype>(detail.size()));
    QMetaObject::invokeMethod(
        this, [this, state, text] { Show(state, text); }, Qt::QueuedConnection);
}

void CLinkStateLine::Show(ELinkState state, const QString& detail) {
    const SLinkStateLine line = LinkStateLine(state, detail.toStdString());
    setText(QString::fromStdString(line.strText));
    setToolTip(text());
    // Red like the Edit page's errors while the drive cannot be reached.
    setStyleSheet(line.bRed ? QStringLiteral("color: rgb(255, 0, 0)") : QString());
}
