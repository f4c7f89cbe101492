#include "ui/schematic/form2.h"

#include "runtime/controls.h"
#include "runtime/shell.h"
#include "ui/sheet/sheet_entries.h"
#include "ui/window_definition.h"

#include <QMenu>

namespace ui {

namespace {

// The user's values on the diagram, white boxes with green bold text that hide the printed ones,
// lie above the diagram; the diagram is 60 twips wider and 240 twips lower than the client area.
// The picture is the one control that takes the focus: Enter or Space opens the page, as a click
// does.
constexpr QRgb White = 0xffffffff, Green = 0xff00c000;
// clang-format off
constexpr runtime::ControlDefinition<Form2> Layout[] = {
    {.control = &Form2::LblR1, .name = "LblR1", .rect = {10695, 5520, 285, 240}, .text = "R1",
     .centred = true, .autoSize = true, .tab = 2, .foreColour = Green, .backColour = White,
     .fontFamily = "Tahoma", .fontPoints = 9.75, .bold = true},
    {.control = &Form2::LblC2, .name = "LblC2", .rect = {5700, 5685, 255, 240}, .text = "C2",
     .centred = true, .autoSize = true, .tab = 1, .foreColour = Green, .backColour = White,
     .fontFamily = "Tahoma", .fontPoints = 9.75, .bold = true},
    {.control = &Form2::LblC1, .name = "LblC1", .rect = {11430, 6600, 255, 360}, .text = "C1",
     .centred = true, .autoSize = true, .tab = 0, .foreColour = Green, .backColour = White,
     .fontFamily = "Tahoma", .fontPoints = 9.75, .bold = true},
    {.control = &Form2::Image1, .name = "Image1", .rect = {0, 0, 12975, 7695},
     .text = ":/schematic.svg", .tab = 3, .accessibleName = "Schéma du décodeur de tonalité",
     .description = "Ouvre la page du montage sur le site de Vireldo Électronique",
     .toolTip = "Cliquer pour accéder à la page de Vireldo Électronique"},
    // The strip of window under the diagram: empty unless the page could not be opened.
    {.control = &Form2::LblMessage, .name = "LblMessage", .rect = {60, 7695, 12795, 240},
     .selectable = true},
};
// clang-format on

runtime::FormDefinition Definition() {
    runtime::FormDefinition definition =
        WindowDefinition(QStringLiteral("Schéma"), 12915, 7935, false);
    definition.closeOnEscape = true;
    return definition;
}

} // namespace

Form2::Form2(const MainWindowFace& main) : Form(Definition()), main_(main) {}

Form2::~Form2() {
    DestroyWindow();
}

void Form2::CreateControls(QWidget& client) {
    runtime::CreateControls<Form2>(*this, client, Layout);
    Image1->Click.Connect(this, &Form2::Image1_Click);
    AddSheetShortcuts(client, MainSheet());
}

// The sheet is the main window's design as it is now; there is none once the main window has
// closed.
SheetSource Form2::MainSheet() const {
    return [this] { return main_.CurrentSheet(); };
}

void Form2::Form_ContextMenu(const QPoint& at) {
    // Not a child of the window: the window may be unloaded while the menu is open.
    QMenu menu;
    AddSheetEntries(menu, MainSheet(), window());
    menu.exec(at);
}

void Form2::Form_Load() {
    ShowMainValues();
}

// A diagram "with the chosen values" that showed the values of when it was opened would be a
// wrong result shown as a right one.
void Form2::FollowMainWindow() {
    if (IsLoaded()) {
        ShowMainValues();
    }
}

// Takes the six texts as the main window shows them, unconverted; the height set last replaces
// the one each label took from its new text.
void Form2::ShowMainValues() {
    const ComponentsState main = main_.State();
    LblC1->SetCaption(main.c1.value + main.c1.unitText);
    LblR1->SetCaption(main.r1.value + main.r1.unitText);
    LblC2->SetCaption(main.c2.value + main.c2.unitText);
    LblC1->SetHeight(360);
    LblR1->SetHeight(360);
    LblC2->SetHeight(360);
    // A listener is told which component each value belongs to.
    LblR1->SetAccessibleName(QStringLiteral("R1 : ") + LblR1->Caption());
    LblC1->SetAccessibleName(QStringLiteral("C1 : ") + LblC1->Caption());
    LblC2->SetAccessibleName(QStringLiteral("C2 : ") + LblC2->Caption());
}

// Only a page that the desktop took closes the window. Otherwise the window stays and says why,
// the address selected, ready to be copied into a browser by hand.
void Form2::Image1_Click() {
    const QString page = QString::fromLatin1(WebPage);
    if (runtime::ShellOpen(page)) {
        Unload();
        return;
    }
    const QString why = QString::fromUtf8(PageNotOpened);
    LblMessage->SetForeColor(runtime::Ink::Warning);
    LblMessage->SetCaption(why + page);
    LblMessage->Select(static_cast<int>(why.size()), static_cast<int>(page.size()));
}

} // namespace ui
