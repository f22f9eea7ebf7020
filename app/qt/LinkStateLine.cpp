#include "app/qt/LinkStateLine.h"

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
    switch (state) {
        case ELinkState::kLost:
            setText(QStringLiteral("Link lost: waiting for %1 to come back").arg(detail));
            break;
        case ELinkState::kBusy:
            setText(QStringLiteral("Hardware busy in system: %1").arg(detail));
            break;
        case ELinkState::kBack:
            setText(QStringLiteral("Link back"));
            break;
        case ELinkState::kOther:
            setText(QStringLiteral("Another device is at %1").arg(detail));
            break;
    }
    setToolTip(text());
    // Red like the Edit page's errors while the drive cannot be reached.
    setStyleSheet(state == ELinkState::kBack ? QString() : QStringLiteral("color: rgb(255, 0, 0)"));
}
