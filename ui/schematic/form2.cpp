#include "ui/schematic/form2.h"

#include "runtime/shell.h"
#include "ui/main/form1.h"
#include "ui/window_definition.h"

#include <QColor>
#include <QWidget>

namespace ui {

namespace {

// The user's values on the diagram: white boxes with green bold text that hide the printed ones.
runtime::Label* ValueLabel(QWidget& client, const char* name, const char* text, int left, int top,
                           int width, int height) {
    auto* label = new runtime::Label(&client, QString::fromLatin1(name));
    label->Move(left, top, width, height);
    label->SetBackColor(Qt::white);
    label->SetForeColor(QColor(0, 192, 0));
    label->SetFont(QStringLiteral("Tahoma"), 9.75, true);
    label->SetCentred(true);
    label->SetCaption(QString::fromLatin1(text));
    label->SetAutoSize(true);
    return label;
}

runtime::FormDefinition Definition() {
    runtime::FormDefinition definition =
        WindowDefinition(QStringLiteral("Schéma"), 12915, 7935, false);
    definition.closeOnEscape = true;
    return definition;
}

} // namespace

Form2::Form2(const Form1& main) : Form(Definition()), main_(main) {}

Form2::~Form2() {
    DestroyWindow();
}

void Form2::CreateControls(QWidget& client) {
    LblR1 = ValueLabel(client, "LblR1", "R1", 10695, 5520, 285, 240);
    LblC2 = ValueLabel(client, "LblC2", "C2", 5700, 5685, 255, 240);
    LblC1 = ValueLabel(client, "LblC1", "C1", 11430, 6600, 255, 360);
    Image1 =
        new runtime::Picture(&client, QStringLiteral("Image1"), QStringLiteral(":/schematic.svg"));
    // 60 twips wider and 240 twips lower than the client area, as the window was drawn.
    Image1->Move(0, 0, 12975, 7695);
    Image1->SetToolTip(QStringLiteral("Cliquer pour accéder à la page de Vireldo Électronique"));
    Image1->SetAccessibleName(QStringLiteral("Schéma du décodeur de tonalité"));
    // The one control that takes the focus: Enter or Space opens the page, as a click does.
    Image1->SetTabIndex(3);
    // The labels lie above the picture.
    Image1->widget()->lower();
    Image1->Click.Connect([this] { Image1_Click(); });
}

// Takes the six texts as the main window shows them, unconverted; the height set last replaces
// the one each label took from its new text.
void Form2::Form_Load() {
    LblC1->SetCaption(main_.ComboC->Text() + main_.ComboValC1->Text());
    LblR1->SetCaption(main_.ComboR->Text() + main_.ComboValR1->Text());
    LblC2->SetCaption(main_.ComboC2->Text() + main_.ComboValC2->Text());
    LblC1->SetHeight(360);
    LblR1->SetHeight(360);
    LblC2->SetHeight(360);
}

// Whether a browser opened is not reported; the window closes all the same.
void Form2::Image1_Click() {
    runtime::ShellOpen(QString::fromLatin1(WebPage));
    Unload();
}

} // namespace ui
