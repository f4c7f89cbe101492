#pragma once

#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "ui/sheet/sheet_output.h"

#include <QPointer>

namespace ui {

class Form1;

// The page about this circuit on the maker's web site, opened by a click on the diagram.
inline constexpr char WebPage[] =
    "http://www.vireldo.example/electronique_realisations_decodeur_tonalite_001.html";

// The schematic window: the circuit diagram with the user's R1, C1 and C2 written on it, as the
// main window showed them when this window was loaded. A click on the diagram opens the circuit's
// web page and closes the window.
class Form2 : public runtime::Form {
public:
    explicit Form2(const Form1& main);
    ~Form2() override;

    QPointer<runtime::Label> LblR1, LblC2, LblC1;
    QPointer<runtime::Picture> Image1;

    void Image1_Click();

protected:
    void CreateControls(QWidget& client) override;
    void Form_Load() override;
    // The main window's build sheet, from here too.
    void Form_ContextMenu(const QPoint& at) override;

private:
    SheetSource MainSheet() const;

    const Form1& main_;
};

} // namespace ui
