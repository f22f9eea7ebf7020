#include "platform/qt/QtWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

CQtWaitCursor::~CQtWaitCursor() {
    while (m_nDepth > 0)
        EndWaitCursor();
}

void CQtWaitCursor::BeginWaitCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++m_nDepth;
}

void CQtWaitCursor::RestoreWaitCursor() {
    if (m_nDepth > 0)
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}

void CQtWaitCursor::EndWaitCursor() {
    if (m_nDepth == 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --m_nDepth;
}
