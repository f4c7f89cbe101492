#include "url_catcher.h"

#include <QDesktopServices>

namespace testing_support {

UrlCatcher::UrlCatcher() {
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
}

UrlCatcher::~UrlCatcher() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlCatcher::Open(const QUrl& url) {
    opened.append(url);
    if (onOpen) {
        onOpen();
    }
}

} // namespace testing_support
