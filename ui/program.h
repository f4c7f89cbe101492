#pragma once

#include "runtime/application.h"

namespace ui {

// Who the program is to the desktop, and what its windows need around them: French numbers and
// Qt texts, and the free Tahoma of Wine's fonts (outside the system's font folders), which the
// windows are drawn with.
runtime::ProgramIdentity Program();

} // namespace ui
