#pragma once

#include "link/ServoData.h"
#include "link/ServoDataSink.h"

#include <QEvent>
#include <QObject>

#include <memory>
#include <mutex>

// Reader thread -> sheet: a posted record (first user message + 100).
inline constexpr QEvent::Type WM_SERVODATA = static_cast<QEvent::Type>(1124);
// Sheet -> active page: the same record, sent synchronously (first user message + 101).
inline constexpr QEvent::Type WM_PAGEDATA = static_cast<QEvent::Type>(1125);

// An event that carries one owned record. Whoever handles the event takes the record
// out; an event that is never delivered (its receiver was destroyed first, or nobody
// took the record) deletes the record with itself.
class CServoDataEvent : public QEvent {
public:
    CServoDataEvent(QEvent::Type type, std::unique_ptr<CServoData> record);
    ~CServoDataEvent() override;

    CServoDataEvent(const CServoDataEvent&) = delete;
    CServoDataEvent& operator=(const CServoDataEvent&) = delete;

    const CServoData* Record() const { return m_pRecord.get(); }
    std::unique_ptr<CServoData> TakeRecord() { return std::move(m_pRecord); }

private:
    std::unique_ptr<CServoData> m_pRecord;
};

// The reader thread's sink for one window: posts every record to it as WM_SERVODATA.
// Detach() (UI thread) stops the posting; records that come afterwards are deleted at
// once, so a window that is going away never receives an event it cannot take.
class CServoDataPoster final : public IServoDataSink {
public:
    explicit CServoDataPoster(QObject* target) : m_pTarget(target) {}

    CServoDataPoster(const CServoDataPoster&) = delete;
    CServoDataPoster& operator=(const CServoDataPoster&) = delete;

    void PostServoData(std::unique_ptr<CServoData> record) override;
    void Detach();

private:
    std::mutex m_Mutex;
    QObject* m_pTarget = nullptr;
};
