#pragma once

// Where a build sheet goes: a PDF file or a printer. A file is written whole or not at all; what
// went wrong is told in French. This and the drawing are the only code that needs Qt Print Support
// and Qt SVG: the program loads them with the sheet module (sheet_module.h) when a sheet is asked
// for.

#include "ui/sheet/design_sheet.h"

#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

namespace ui {

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

} // namespace ui
