#include "runtime/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace runtime {

bool ShellOpen(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

} // namespace runtime
