#pragma once

// What the sheet module (a library of its own, loaded by the windows the first time a sheet is
// asked for) gives them: its two ways out. The module and the program are built from the same
// sources; the version each was built as tells a module left over from another one.

#include "ui/sheet/design_sheet.h"

#include <cstddef>

class QWidget;

namespace ui {

// `version` stays first: it is read before anything else of a module is trusted.
struct SheetModule {
    const char* version; // the program's version text, as the module was built
    // The size of the sheet as the module knows it: a module built apart from the program with
    // the same version text, from other sources, must not be handed a sheet it would misread.
    std::size_t sheetSize;
    void (*printWithDialog)(const DesignSheet& sheet, QWidget* parent);
    void (*saveWithDialog)(const DesignSheet& sheet, QWidget* parent);
};

// The module's one exported function, found by this name.
inline constexpr char SheetModuleEntry[] = "vireldo_sheet_module";
using SheetModuleFunction = const SheetModule* (*)();

} // namespace ui
