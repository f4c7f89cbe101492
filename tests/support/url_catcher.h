#pragma once

#include <QList>
#include <QObject>
#include <QUrl>
#include <functional>

namespace testing_support {

// Stands in for the browser: while it lives, every "http" or "https" address the program asks
// the desktop to open is caught here instead.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher();
    ~UrlCatcher() override;

    QList<QUrl> opened;
    // Runs as a page opens, to see the windows as they are at that moment.
    std::function<void()> onOpen;

public slots:
    void Open(const QUrl& url);
};

} // namespace testing_support
