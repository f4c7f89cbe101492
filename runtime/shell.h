#pragma once

#include <QString>

namespace runtime {

// Opens a document or a web page with the user's preferred program, as the desktop's "open"
// does. Whether a program opened is not reported.
void ShellOpen(const QString& address);

} // namespace runtime
