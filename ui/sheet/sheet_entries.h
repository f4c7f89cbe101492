#pragma once

// How the windows offer the build sheet: two entries in their context menus and two keys. The
// sheet's drawing and output are loaded with the sheet module (sheet_module.h) the first time one
// of them is used.

#include "ui/sheet/design_sheet.h"

#include <QKeySequence>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace ui {

// The two ways out, as the windows offer them in their menus and by key.
inline constexpr char PrintSheetEntry[] = "Fiche de montage…";
inline constexpr char SaveSheetEntry[] = "Enregistrer la fiche en PDF…";
inline const QKeySequence PrintSheetShortcut(Qt::CTRL | Qt::Key_P);
inline const QKeySequence SaveSheetShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);

// The sheet of the design as it is at the moment it is asked for; none while there is no design
// to print (the main window is closed).
using SheetSource = std::function<std::optional<DesignSheet>()>;

// The two entries in a window's context menu (greyed while there is no sheet), and their keys
// anywhere in the window (`client`). When the sheet module cannot be loaded, a message box over
// the window says so and why.
void AddSheetEntries(QMenu& menu, const SheetSource& sheet, QWidget* parent);
void AddSheetShortcuts(QWidget& client, const SheetSource& sheet);

} // namespace ui
