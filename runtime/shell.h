#pragma once

#include <QString>

namespace runtime {

// Opens a document or a web page with the user's preferred program, as the desktop's "open"
// does. Returns whether the desktop took it: false when it has no program for it, or could not
// start the one it has. What the program does then is its own matter.
[[nodiscard]] bool ShellOpen(const QString& address);

} // namespace runtime
