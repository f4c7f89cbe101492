#pragma once

#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "ui/main/main_window_face.h"
#include "ui/sheet/sheet_entries.h"

#include <QPointer>

namespace ui {

// The page about this circuit on the maker's web site, opened by a click on the diagram.
inline constexpr char WebPage[] =
    "http://www.vireldo.example/electronique_realisations_decodeur_tonalite_001.html";
// Said under the diagram, followed by the page's address, when no browser opened it.
inline constexpr char PageNotOpened[] =
    "Impossible d'ouvrir la page : aucun navigateur web n'est installé. Adresse : ";

// The schematic window: the circuit diagram with the user's R1, C1 and C2 written on it, as the
// main window shows them now. A click on the diagram opens the circuit's web page and closes the
// window; when the page cannot be opened the window stays and says why on the line under the
// diagram.
class Form2 : public runtime::Form {
public:
    explicit Form2(const MainWindowFace& main);
    ~Form2() override;

    QPointer<runtime::Label> LblR1, LblC2, LblC1;
    QPointer<runtime::Picture> Image1;
    QPointer<runtime::Label> LblMessage;

    void Image1_Click();

    // The main window's values have changed: an open window writes the new ones on the diagram.
    void FollowMainWindow();

protected:
    void CreateControls(QWidget& client) override;
    void Form_Load() override;
    // The main window's build sheet, from here too.
    void Form_ContextMenu(const QPoint& at) override;

private:
    void ShowMainValues();
    SheetSource MainSheet() const;

    const MainWindowFace& main_;
};

} // namespace ui
