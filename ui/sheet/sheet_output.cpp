#include "ui/sheet/sheet_output.h"

#include "ui/sheet/sheet_drawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <charconv>

namespace ui {

namespace {

QString Quoted(const QString& path) {
    return QStringLiteral("« ") + QDir::toNativeSeparators(path) + QStringLiteral(" »");
}

QPageLayout Portrait(QPageLayout layout) {
    layout.setOrientation(QPageLayout::Portrait);
    return layout;
}

void Tell(QWidget* parent, const QString& what, const QString& why) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), what,
                    QMessageBox::Ok, parent);
    box.setInformativeText(why);
    box.exec();
}

} // namespace

QString WriteSheetPdf(const DesignSheet& sheet, const QString& path, const QPageLayout& paper) {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        return QStringLiteral("Le dossier %1 n'existe pas.").arg(Quoted(folder));
    }
    if (target.isDir()) {
        return QStringLiteral("%1 est un dossier.").arg(Quoted(path));
    }
    // The sheet goes to a temporary file beside the target, which takes the target's name only
    // once it is complete: a failure leaves the folder as it was, an earlier file included.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (target.exists() && !target.isWritable()) {
            return QStringLiteral("Le fichier %1 est protégé en écriture.").arg(Quoted(path));
        }
        return QStringLiteral("Impossible de créer un fichier dans le dossier %1 : il est protégé "
                              "en écriture, ou sur un support en lecture seule.")
            .arg(Quoted(folder));
    }
    qint64 size = 0;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(Portrait(paper));
        writer.setTitle(QStringLiteral("Fiche de montage – Décodeur de tonalité NE567"));
        writer.setCreator(sheet.programName + QLatin1Char(' ') + sheet.programVersion);
        if (!PaintSheet(sheet, writer)) {
            file.cancelWriting();
            return QStringLiteral("La page n'a pas pu être dessinée.");
        }
        size = file.pos();
    }
    if (!file.commit()) {
        const QStorageInfo disk(folder);
        if (disk.isValid() && disk.bytesAvailable() < size + 64 * 1024) {
            char kilobytes[24] = {};
            std::to_chars(kilobytes, kilobytes + sizeof kilobytes - 1, (size + 1023) / 1024);
            return QStringLiteral("Le disque est plein : il faut environ %1 Ko de libre.")
                .arg(QLatin1String(kilobytes));
        }
        return QStringLiteral("L'écriture dans le dossier %1 a échoué.").arg(Quoted(folder));
    }
    return {};
}

QString PrintSheet(const DesignSheet& sheet, QPrinter& printer) {
    // « Imprimer dans un fichier (PDF) » is a file like any other: written whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        return WriteSheetPdf(sheet, printer.outputFileName(), printer.pageLayout());
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!PaintSheet(sheet, printer)) {
        return QStringLiteral("L'imprimante %1 n'a pas pu être utilisée.")
            .arg(Quoted(printer.printerName()));
    }
    return {};
}

bool SaveSheet(const DesignSheet& sheet, const QString& path, QWidget* parent) {
    const QString failure = WriteSheetPdf(
        sheet, path, QPageLayout(LocalePaperSize(), QPageLayout::Portrait, QMarginsF()));
    if (!failure.isEmpty()) {
        Tell(parent,
             QStringLiteral("La fiche de montage n'a pas été enregistrée dans %1.")
                 .arg(Quoted(path)),
             failure + QStringLiteral(" Aucun fichier n'a été écrit ni modifié."));
        return false;
    }
    return true;
}

void SaveSheetWithDialog(const DesignSheet& sheet, QWidget* parent) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QFileDialog dialog(parent, QStringLiteral("Enregistrer la fiche en PDF"),
                       QDir(folder).filePath(DefaultFileName(sheet)),
                       QStringLiteral("Document PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return; // the user changed their mind: nothing to write, nothing to tell
    }
    SaveSheet(sheet, dialog.selectedFiles().constFirst(), parent);
}

void PrintSheetWithDialog(const DesignSheet& sheet, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    // A printer knows its own paper; printing to a file takes the locale's.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer.setPageSize(LocalePaperSize());
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QFileInfo(DefaultFileName(sheet)).completeBaseName());
    printer.setCreator(sheet.programName);

    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer la fiche de montage"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString failure = PrintSheet(sheet, printer);
    if (!failure.isEmpty()) {
        Tell(parent, QStringLiteral("La fiche de montage n'a pas été imprimée."), failure);
    }
}

} // namespace ui
