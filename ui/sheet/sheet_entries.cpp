#include "ui/sheet/sheet_entries.h"

#include "runtime/application.h"
#include "runtime/failure.h"
#include "ui/sheet/sheet_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QShortcut>

namespace ui {

namespace {

using SheetOutput = void (*SheetModule::*)(const DesignSheet&, QWidget*);

QString Quoted(const QString& path) {
    return QStringLiteral("« ") + QDir::toNativeSeparators(path) + QStringLiteral(" »");
}

// The sheet's drawing and output need Qt Print Support and Qt SVG. Linked into the program, the
// dynamic loader mapped and relocated both at every start for a sheet that few starts ask for:
// startup_bench, on Xvfb, 60 interleaved runs of each, run twice at a load of 0.5, put the program
// at 1.203 and 1.207x the processor time of the one-label window with them linked in, and at 1.178
// and 1.168x with them in this module (wall time to the first frame 1.094-1.114x, now
// 1.061-1.065x). The module is looked for beside the program (the build tree), then in the
// package's private folder, the first time a sheet is asked for, and stays loaded. Returns it, or
// why it cannot be loaded, in French.
const SheetModule* LoadSheetModule(QString& why) {
    static const SheetModule* loaded = nullptr;
    if (loaded != nullptr) {
        return loaded;
    }
    const QString file = QStringLiteral(VIRELDO_SHEET_MODULE_FILE);
    const QStringList folders = {QCoreApplication::applicationDirPath(),
                                 QStringLiteral(VIRELDO_SHEET_MODULE_DIR)};
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QLibrary library(path);
        const auto entry = reinterpret_cast<SheetModuleFunction>(library.resolve(SheetModuleEntry));
        if (entry == nullptr) {
            why = QStringLiteral("Le module qui dessine et imprime la fiche, %1, n'a pas pu être "
                                 "chargé : %2")
                      .arg(Quoted(path), library.errorString());
            library.unload();
            return nullptr;
        }
        const SheetModule* module = entry();
        if (qstrcmp(module->version, VIRELDO_VERSION_TEXT) != 0) {
            why = QStringLiteral("Le module qui dessine et imprime la fiche, %1, est celui de la "
                                 "version %2 du programme, qui est la version %3.")
                      .arg(Quoted(path), QString::fromUtf8(module->version),
                           QStringLiteral(VIRELDO_VERSION_TEXT));
            library.unload();
            return nullptr;
        }
        if (module->sheetSize != sizeof(DesignSheet)) {
            why = QStringLiteral("Le module qui dessine et imprime la fiche, %1, vient d'une autre "
                                 "compilation de la version %2 du programme.")
                      .arg(Quoted(path), QStringLiteral(VIRELDO_VERSION_TEXT));
            library.unload();
            return nullptr;
        }
        loaded = module;
        return loaded;
    }
    why = QStringLiteral("Le module qui dessine et imprime la fiche, %1, est introuvable : il a "
                         "été cherché dans %2 et dans %3.")
              .arg(Quoted(file), Quoted(folders[0]), Quoted(folders[1]));
    return nullptr;
}

void Output(SheetOutput output, const DesignSheet& sheet, QWidget* parent) {
    QString why;
    if (const SheetModule* module = LoadSheetModule(why)) {
        // The sheet writes its headings and the diagram's values in bold.
        runtime::Application::AddBoldFonts();
        (module->*output)(sheet, parent);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QStringLiteral("La fiche de montage ne peut pas être faite."), QMessageBox::Ok,
                    parent);
    box.setInformativeText(why + QStringLiteral(" Réinstaller le programme devrait y remédier."));
    box.exec();
}

} // namespace

void AddSheetEntries(QMenu& menu, const SheetSource& sheet, QWidget* parent) {
    const bool available = sheet().has_value();
    QPointer<QWidget> over(parent);
    const struct {
        const char* text;
        QKeySequence keys;
        SheetOutput output;
    } entries[] = {{PrintSheetEntry, PrintSheetShortcut, &SheetModule::printWithDialog},
                   {SaveSheetEntry, SaveSheetShortcut, &SheetModule::saveWithDialog}};
    for (const auto& entry : entries) {
        QAction* action = menu.addAction(QString::fromUtf8(entry.text), [sheet, over, entry] {
            runtime::RunGuarded([&] {
                if (const std::optional<DesignSheet> now = sheet()) {
                    Output(entry.output, *now, over);
                }
            });
        });
        action->setEnabled(available);
        // Shown beside the entry; the window's own shortcut is the one that works outside the menu.
        action->setShortcut(entry.keys);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
}

void AddSheetShortcuts(QWidget& client, const SheetSource& sheet) {
    const std::pair<QKeySequence, SheetOutput> keys[] = {
        {PrintSheetShortcut, &SheetModule::printWithDialog},
        {SaveSheetShortcut, &SheetModule::saveWithDialog}};
    for (const auto& [sequence, output] : keys) {
        auto* shortcut = new QShortcut(sequence, &client);
        QObject::connect(shortcut, &QShortcut::activated, &client,
                         [sheet, &client, output = output] {
                             runtime::RunGuarded([&] {
                                 if (const std::optional<DesignSheet> now = sheet()) {
                                     Output(output, *now, client.window());
                                 }
                             });
                         });
    }
}

} // namespace ui
