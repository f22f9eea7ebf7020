#include "app/qt/ServoDataEvent.h"

#include <QCoreApplication>

CServoDataEvent::CServoDataEvent(QEvent::Type type, std::unique_ptr<CServoData> record)
    : QEvent(type), m_pRecord(std::move(record)) {}

CServoDataEvent::~CServoDataEvent() = default;

void CServoDataPoster::PostServoData(std::unique_ptr<CServoData> record) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_pTarget == nullptr)
        return;  // the record is deleted here
    // postEvent takes the event even when it cannot deliver it and then deletes it,
    // and the event's destructor deletes the record.
    QCoreApplication::postEvent(m_pTarget, new CServoDataEvent(WM_SERVODATA, std::move(record)));
}

void CServoDataPoster::Detach() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_pTarget = nullptr;
}
