#include "ui/sheet/sheet_module.h"

#include "ui/sheet/sheet_output.h"

extern "C" __attribute__((visibility("default"))) const ui::SheetModule* vireldo_sheet_module() {
    static constexpr ui::SheetModule module{.version = VIRELDO_VERSION_TEXT,
                                            .sheetSize = sizeof(ui::DesignSheet),
                                            .printWithDialog = &ui::PrintSheetWithDialog,
                                            .saveWithDialog = &ui::SaveSheetWithDialog};
    return &module;
}
