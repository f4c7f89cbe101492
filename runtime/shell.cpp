#include "runtime/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace runtime {

void ShellOpen(const QString& address) {
    (void)QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

} // namespace runtime
