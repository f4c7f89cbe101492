#pragma once

// Where a build sheet goes: a PDF file or a printer. A file is written whole or not at all; what
// went wrong is told in French.

#include "ui/sheet/design_sheet.h"

#include <QKeySequence>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>

class QMenu;
class QPrinter;
class QWidget;

namespace ui {

// The two ways out, as the windows offer them in their menus and by key.
inline constexpr char PrintSheetEntry[] = "Fiche de montage…";
inline constexpr char SaveSheetEntry[] = "Enregistrer la fiche en PDF…";
inline const QKeySequence PrintSheetShortcut(Qt::CTRL | Qt::Key_P);
inline const QKeySequence SaveSheetShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);

// Writes the sheet as a one-page PDF at `path` on the given paper: into a temporary file beside
// it, renamed over it once complete. Returns why it failed, in French, or an empty text.
QString WriteSheetPdf(const DesignSheet& sheet, const QString& path, const QPageLayout& paper);

// Prints the sheet on a printer set up by the print dialog; printing to a PDF file goes through
// WriteSheetPdf, on the paper chosen. Returns why it failed, in French, or an empty text.
QString PrintSheet(const DesignSheet& sheet, QPrinter& printer);

// Saves the sheet at `path` on the locale's paper; a failure is told in a message box over
// `parent`. Returns whether the file was written.
bool SaveSheet(const DesignSheet& sheet, const QString& path, QWidget* parent);

// The file dialog, opened on the documents folder with the sheet's default name, then SaveSheet.
void SaveSheetWithDialog(const DesignSheet& sheet, QWidget* parent);

// Qt's print dialog (with « Imprimer dans un fichier (PDF) »), then PrintSheet; a failure is told
// in a message box.
void PrintSheetWithDialog(const DesignSheet& sheet, QWidget* parent);

// The sheet of the design as it is at the moment it is asked for; none while there is no design
// to print (the main window is closed).
using SheetSource = std::function<std::optional<DesignSheet>()>;

// The two entries in a window's context menu (greyed while there is no sheet), and their keys
// anywhere in the window (`client`).
void AddSheetEntries(QMenu& menu, const SheetSource& sheet, QWidget* parent);
void AddSheetShortcuts(QWidget& client, const SheetSource& sheet);

} // namespace ui
