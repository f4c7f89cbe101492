#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

namespace soak {

// Notices a message box (the one the runtime shows when a failure escapes a handler), notes its
// text and closes it, so that a failure ends the run with a report instead of a box waiting for
// a click that never comes.
class MessageBoxWatch : public QObject {
public:
    MessageBoxWatch();

    const QStringList& Seen() const { return seen_; }

private:
    void Look();

    QTimer timer_;
    QStringList seen_;
};

} // namespace soak
