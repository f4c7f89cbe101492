#pragma once

// What the sheet module (a library of its own, loaded by the windows the first time a sheet is
// asked for) gives them: its two ways out. The module and the program are built from the same
// sources; the version each was built as tells a module left over from another one.

#include "ui/sheet/design_sheet.h"

class QWidget;

namespace ui {

struct SheetModule {
    const char* version; // the program's version text, as the module was built
    void (*printWithDialog)(const DesignSheet& sheet, QWidget* parent);
    void (*saveWithDialog)(const DesignSheet& sheet, QWidget* parent);
};

// The module's one exported function, found by this name.
inline constexpr char SheetModuleEntry[] = "vireldo_sheet_module";
using SheetModuleFunction = const SheetModule* (*)();

} // namespace ui
