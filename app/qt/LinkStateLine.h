#pragma once

#include "link/LinkState.h"

#include <QLabel>

// The sheet's line under the pages that tells whether the drive's port is there: empty
// while all is well, red while the device is gone or held by another program, "Link
// back" once it has been re-opened. Told by the reader thread (OnLinkState queues the
// news to the GUI thread); the sheet detaches it from the port before it goes.
class CLinkStateLine : public QLabel, public ILinkStateListener {
    Q_OBJECT
public:
    explicit CLinkStateLine(QWidget* parent = nullptr);

    // Reader thread.
    void OnLinkState(ELinkState state, const std::string& detail) override;

private:
    void Show(ELinkState state, const QString& detail);
};
