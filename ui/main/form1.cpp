#include "ui/main/form1.h"

#include "calc/caption_checks.h"
#include "calc/number_text.h"
#include "runtime/controls.h"
#include "runtime/failure.h"
#include "ui/decimal_comma.h"
#include "ui/main/main_window_lists.h"
#include "ui/main/result_marks.h"
#include "ui/schematic/form2.h"
#include "ui/search/component_search_window.h"
#include "ui/sheet/sheet_entries.h"
#include "ui/utf8.h"
#include "ui/window_definition.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QMenu>
#include <QShortcut>

namespace ui {

Form1::Form1() : Form(WindowDefinition(QStringLiteral("Vireldo 567"), 5055, 3855, true)) {}

Form1::~Form1() {
    searchWindow_.reset();
    form2_.reset();
    DestroyWindow();
}

namespace {

// The window's controls, in the order of its definition; a frame is followed by what it holds.
// clang-format off
constexpr runtime::ControlDefinition<Form1> Layout[] = {
    {.control = &Form1::Frame1, .name = "Frame1", .rect = {3240, 120, 1695, 2895},
     .text = "Fréquence", .tab = 16},
    {.control = &Form1::Command2, .container = &Form1::Frame1, .name = "Command2",
     .rect = {360, 2400, 990, 360}, .text = "Calcul", .tab = 20,
     .description = "Recalcule les résultats"},
    {.control = &Form1::LblPlageBas, .container = &Form1::Frame1, .name = "LblPlageBas",
     .rect = {0, 1560, 1845, 195}, .text = "Plage Basse Hz", .centred = true, .selectable = true,
     .tab = 19, .description = ResultDescription::LblPlageBas},
    {.control = &Form1::LblPlageHaut, .container = &Form1::Frame1, .name = "LblPlageHaut",
     .rect = {0, 600, 1725, 195}, .text = "Plage Haute Hz", .centred = true, .selectable = true,
     .tab = 18, .description = ResultDescription::LblPlageHaut},
    {.control = &Form1::Freq, .container = &Form1::Frame1, .name = "Freq",
     .rect = {0, 1080, 1725, 195}, .text = "1000,000 Hz", .centred = true, .selectable = true,
     .tab = 17, .description = ResultDescription::Freq},

    {.control = &Form1::Frame2, .name = "Frame2", .rect = {120, 120, 3015, 1215},
     .text = "Fréquence centrale", .tab = 11},
    {.control = &Form1::ComboValC1, .container = &Form1::Frame2, .name = "ComboValC1",
     .rect = {120, 720, 1095, 315}, .tab = 2, .accessibleName = "Unité de C1"},
    {.control = &Form1::ComboValR1, .container = &Form1::Frame2, .name = "ComboValR1",
     .rect = {120, 360, 1095, 315}, .tab = 0, .accessibleName = "Unité de R1"},
    {.control = &Form1::ComboC, .container = &Form1::Frame2, .name = "ComboC",
     .rect = {1200, 720, 1095, 315}, .tab = 3, .accessibleName = "Valeur de C1"},
    {.control = &Form1::ComboR, .container = &Form1::Frame2, .name = "ComboR", .editable = true,
     .rect = {1200, 360, 1095, 315}, .text = "ComboR", .tab = 1,
     .accessibleName = "Valeur de R1", .toolTip = ResistorTip::Number},
    {.control = &Form1::Label4, .container = &Form1::Frame2, .name = "Label4",
     .rect = {2400, 760, 195, 195}, .text = "C1", .autoSize = true, .tab = 13},
    {.control = &Form1::Label2, .container = &Form1::Frame2, .name = "Label2",
     .rect = {2400, 400, 540, 195}, .text = "R1/RV1", .autoSize = true, .tab = 12},

    {.control = &Form1::Frame3, .name = "Frame3", .rect = {120, 1440, 3015, 1575},
     .text = "Plage de capture", .tab = 8},
    {.control = &Form1::ComboC2, .container = &Form1::Frame3, .name = "ComboC2",
     .rect = {1200, 360, 1095, 315}, .tab = 5, .accessibleName = "Valeur de C2"},
    {.control = &Form1::ComboValC2, .container = &Form1::Frame3, .name = "ComboValC2",
     .rect = {120, 360, 1095, 315}, .tab = 4, .accessibleName = "Unité de C2"},
    {.control = &Form1::ComboV, .container = &Form1::Frame3, .name = "ComboV",
     .rect = {1440, 720, 855, 315}, .tab = 6, .accessibleName = "Tension d'alimentation"},
    {.control = &Form1::Label6, .container = &Form1::Frame3, .name = "Label6",
     .rect = {120, 720, 1155, 195}, .text = "Tension d'alim. :", .autoSize = true, .tab = 14},
    {.control = &Form1::B, .container = &Form1::Frame3, .name = "B",
     .rect = {1440, 1200, 780, 195}, .text = "+/- 100 Hz", .centred = true, .autoSize = true,
     .selectable = true, .tab = 10, .description = ResultDescription::B},
    {.control = &Form1::Label3, .container = &Form1::Frame3, .name = "Label3",
     .rect = {2400, 400, 195, 195}, .text = "C2", .autoSize = true, .tab = 9},

    {.control = &Form1::Command3, .name = "Command3", .rect = {120, 3120, 4815, 360},
     .text = "Voir le schéma életronique", .tab = 7,
     .description = "Ouvre la fenêtre du schéma"},
    // Its grey stands for the workspace colour of the system palette, dark enough to read.
    {.control = &Form1::Label1, .name = "Label1", .rect = {120, 3560, 4815, 195},
     .text = "Dévellopé par l'atelier Vireldo - www.vireldo.example", .centred = true, .tab = 15,
     .foreColour = 0xff696969},
};
// clang-format on

// Opens the component search from anywhere in the window.
const QKeySequence FindShortcut(Qt::CTRL | Qt::Key_F);

} // namespace

void Form1::CreateControls(QWidget& client) {
    runtime::CreateControls<Form1>(*this, client, Layout);

    // The arrow keys step from the resistor value shown, read by the program's number rules.
    ComboR->SetValueReader([](const QString& text) -> std::optional<double> {
        const auto number = calc::TextToNumber(Utf8(text));
        return number.ok() ? std::optional<double>(number.value) : std::nullopt;
    });

    FillDesignLists({*ComboValR1, *ComboR, *ComboValC1, *ComboC, *ComboValC2, *ComboC2, *ComboV});

    // Which routine answers which event; the handlers of the unit boxes run another handler.
    ComboR->Change.Connect(this, &Form1::ComboR_Change);
    ComboR->Click.Connect(this, &Form1::ComboR_Click);
    ComboValR1->Change.Connect(this, &Form1::ComboValR1_Change);
    ComboValR1->Click.Connect(this, &Form1::ComboValR1_Click);
    ComboValR1->Scroll.Connect(this, &Form1::ComboValR1_Scroll);
    ComboC->Change.Connect(this, &Form1::ComboC_Change);
    ComboC->Click.Connect(this, &Form1::ComboC_Click);
    ComboValC1->Change.Connect(this, &Form1::ComboValC1_Change);
    ComboValC1->Click.Connect(this, &Form1::ComboValC1_Click);
    ComboValC1->Scroll.Connect(this, &Form1::ComboValC1_Scroll);
    ComboC2->Change.Connect(this, &Form1::ComboC2_Change);
    ComboC2->Click.Connect(this, &Form1::ComboC2_Click);
    ComboValC2->Change.Connect(this, &Form1::ComboValC2_Change);
    ComboValC2->Click.Connect(this, &Form1::ComboValC2_Click);
    ComboValC2->Scroll.Connect(this, &Form1::ComboValC2_Scroll);
    ComboV->Change.Connect(this, &Form1::ComboV_Change);
    ComboV->Click.Connect(this, &Form1::ComboV_Click);
    Command2->Click.Connect(this, &Form1::Command2_Click);
    Command3->Click.Connect(this, &Form1::Command3_Click);

    auto* find = new QShortcut(FindShortcut, &client);
    QObject::connect(find, &QShortcut::activated, &client,
                     [this] { runtime::RunGuarded([this] { ShowComponentSearch(); }); });
    AddSheetShortcuts(client, [this] { return std::optional(Sheet()); });
}

void Form1::Form_Load() {
    FillListsAndSelectDefaults(
        {*ComboValR1, *ComboR, *ComboValC1, *ComboC, *ComboValC2, *ComboC2, *ComboV});
}

void Form1::Calcul() {
    calc::CalculInputs inputs;
    inputs.ComboR = Utf8(ComboR->Text());
    inputs.ComboValR1 = ComboValR1->ListIndex();
    inputs.ComboC = Utf8(ComboC->Text());
    inputs.ComboValC1 = ComboValC1->ListIndex();
    inputs.ComboC2 = Utf8(ComboC2->Text());
    inputs.ComboValC2 = ComboValC2->ListIndex();
    inputs.ComboV = Utf8(ComboV->Text());

    runtime::Label* const labels[] = {Freq, B, LblPlageBas, LblPlageHaut};
    calc::Captions captions{Utf8(Freq->Caption()), Utf8(B->Caption()), Utf8(LblPlageBas->Caption()),
                            Utf8(LblPlageHaut->Caption())};
    const calc::CalculReport report = calc::Calcul(inputs, stored_, captions);

    const std::string* const texts[] = {&captions.Freq, &captions.B, &captions.LblPlageBas,
                                        &captions.LblPlageHaut};
    for (std::size_t i = 0; i < 4; ++i) {
        labels[i]->SetCaption(FromUtf8(*texts[i]));
    }
    marks_ = calc::CheckCaptions(report, stored_);
    ShowMarks(inputs, marks_);

    // Every change of the boxes ends here: an open schematic follows it.
    if (form2_) {
        form2_->FollowMainWindow();
    }
}

// Captions that still show a figure of earlier inputs are greyed, figures that are no frequency
// are in the warning colour, each with the reason as its tool tip and in what a screen reader
// says of it; the resistor box shows in the same colour that its text is no number.
void Form1::ShowMarks(const calc::CalculInputs& inputs, const calc::CaptionChecks& checks) {
    const struct {
        runtime::Label* label;
        const calc::CaptionCheck& check;
        QString description;
    } marks[] = {
        {Freq, checks.Freq, QString::fromUtf8(ResultDescription::Freq)},
        {B, checks.B, QString::fromUtf8(ResultDescription::B)},
        {LblPlageBas, checks.LblPlageBas, QString::fromUtf8(ResultDescription::LblPlageBas)},
        {LblPlageHaut, checks.LblPlageHaut, QString::fromUtf8(ResultDescription::LblPlageHaut)}};
    for (const auto& mark : marks) {
        const QString reason = Reason(mark.check);
        if (reason == mark.label->ToolTip()) {
            continue; // marked so already
        }
        switch (mark.check.state) {
        case calc::CaptionCheck::State::Current:
            mark.label->ResetForeColor();
            break;
        case calc::CaptionCheck::State::Stale:
            mark.label->SetForeColor(runtime::Ink::Stale);
            break;
        case calc::CaptionCheck::State::NotAFrequency:
            mark.label->SetForeColor(runtime::Ink::Warning);
            break;
        }
        mark.label->SetToolTip(reason);
        mark.label->SetAccessibleDescription(
            reason.isEmpty() ? mark.description : mark.description + QStringLiteral(". ") + reason);
    }

    const bool number = calc::TextToNumber(inputs.ComboR).ok();
    const QString tip = QString::fromUtf8(number ? ResistorTip::Number : ResistorTip::NotANumber);
    if (ComboR->ToolTip() != tip) {
        if (number) {
            ComboR->ResetForeColor();
        } else {
            ComboR->SetForeColor(runtime::Ink::Warning);
        }
        ComboR->SetToolTip(tip);
    }
}

QString Form1::ResultsText() const {
    const auto line = [](const QString& what, const QString& value) {
        return what + QStringLiteral(" : ") + value + QLatin1Char('\n');
    };
    QString text =
        line(QStringLiteral("R1"), ComboR->Text() + QLatin1Char(' ') + ComboValR1->Text()) +
        line(QStringLiteral("C1"), ComboC->Text() + QLatin1Char(' ') + ComboValC1->Text()) +
        line(QStringLiteral("C2"), ComboC2->Text() + QLatin1Char(' ') + ComboValC2->Text()) +
        line(QStringLiteral("Tension d'alimentation"), ComboV->Text() + QStringLiteral(" V"));
    const std::pair<const runtime::Label*, QString> results[] = {
        {Freq, QString::fromUtf8(ResultDescription::Freq)},
        {B, QString::fromUtf8(ResultDescription::B)},
        {LblPlageBas, QString::fromUtf8(ResultDescription::LblPlageBas)},
        {LblPlageHaut, QString::fromUtf8(ResultDescription::LblPlageHaut)}};
    for (const auto& [label, what] : results) {
        // A marked result carries its reason along, as its tool tip says it.
        const QString reason = label->ToolTip();
        text += line(what, reason.isEmpty() ? label->Caption()
                                            : label->Caption() + QStringLiteral(" (") + reason +
                                                  QLatin1Char(')'));
    }
    return text;
}

std::optional<DesignSheet> Form1::CurrentSheet() const {
    return IsLoaded() ? std::optional(Sheet()) : std::nullopt;
}

DesignSheet Form1::Sheet() const {
    const auto result = [](const runtime::Label* label, const calc::CaptionCheck& check) {
        return SheetResult{label->Caption(), check.state, Reason(check)};
    };
    return {.r1 = ComboR->Text(),
            .r1Unit = ComboValR1->Text(),
            .c1 = ComboC->Text(),
            .c1Unit = ComboValC1->Text(),
            .c2 = ComboC2->Text(),
            .c2Unit = ComboValC2->Text(),
            .voltage = ComboV->Text(),
            .centreFrequency = result(Freq, marks_.Freq),
            .halfWidth = result(B, marks_.B),
            .lowerEdge = result(LblPlageBas, marks_.LblPlageBas),
            .upperEdge = result(LblPlageHaut, marks_.LblPlageHaut),
            .trimmerR1 = searchWindow_ ? searchWindow_->TrimmerAdvice() : QString(),
            .programName = QCoreApplication::applicationName(),
            .programVersion = QCoreApplication::applicationVersion(),
            .date = QDate::currentDate()};
}

void Form1::Form_ContextMenu(const QPoint& at) {
    // Not a child of the window: the window may be unloaded while the menu is open.
    QMenu menu;
    const QWidget* under = window()->childAt(window()->mapFromGlobal(at));
    for (runtime::Label* result :
         {Freq.data(), B.data(), LblPlageBas.data(), LblPlageHaut.data()}) {
        if (result->widget() == under) {
            menu.addAction(QStringLiteral("Copier"), [result] {
                QGuiApplication::clipboard()->setText(result->SelectedOrWholeText());
            });
        }
    }
    menu.addAction(QStringLiteral("Copier tous les résultats"),
                   [this] { QGuiApplication::clipboard()->setText(ResultsText()); });
    menu.addSeparator();
    QAction* find = menu.addAction(QStringLiteral("Trouver R1, C1 et C2…"), [this] {
        runtime::RunGuarded([this] { ShowComponentSearch(); });
    });
    // Shown beside the entry; the window's own shortcut is the one that works outside the menu.
    find->setShortcut(FindShortcut);
    find->setShortcutContext(Qt::WidgetShortcut);
    menu.addSeparator();
    AddSheetEntries(
        menu, [this] { return std::optional(Sheet()); }, window());
    menu.exec(at);
}

ComponentsState Form1::State() const {
    if (!IsLoaded()) {
        return {};
    }
    const auto component = [](const runtime::ComboBox& value, const runtime::ComboBox& unit) {
        return ComponentState{value.Text(), unit.ListIndex(), unit.Text()};
    };
    return {.r1 = component(*ComboR, *ComboValR1),
            .c1 = component(*ComboC, *ComboValC1),
            .c2 = component(*ComboC2, *ComboValC2),
            .voltage = ComboV->Text()};
}

namespace {

void SetUnit(runtime::ComboBox& unit, int index) {
    if (unit.ListIndex() != index) {
        unit.SetListIndex(index);
    }
}

void SetValue(runtime::ComboBox& value, const std::string& text) {
    const QString item = FromUtf8(text);
    for (int i = 0; i < value.ListCount(); ++i) {
        if (value.List(i) == item) {
            value.SetListIndex(i);
            return;
        }
    }
    value.SetText(item);
}

} // namespace

void Form1::ApplyComponents(const Components& components) {
    if (!IsLoaded()) {
        return;
    }
    SetUnit(*ComboValR1, components.r1.unit);
    SetValue(*ComboR, components.r1.value);
    SetUnit(*ComboValC1, components.c1.unit);
    SetValue(*ComboC, components.c1.value);
    if (components.c2) {
        SetUnit(*ComboValC2, components.c2->unit);
        SetValue(*ComboC2, components.c2->value);
    }
}

// One search window for the life of the program. Shown again, it searches again as it becomes
// the active window: the voltage and R1 here may have changed.
void Form1::ShowComponentSearch() {
    if (!searchWindow_) {
        searchWindow_ = std::make_unique<ComponentSearchWindow>(*this);
    }
    searchWindow_->ShowBeside(*this);
}

const QWidget* Form1::KeptInSight() const {
    return Frame1->widget();
}

// The search window belongs to this one and goes with it; the schematic window stays open.
void Form1::Form_Unload() {
    if (searchWindow_) {
        searchWindow_->Unload();
    }
}

// After a correction the nested run has recalculated already; doing it again changes no figure.
void Form1::ComboR_Change() {
    CorrectDecimalPoint(*ComboR, CaretAfterComma::AtEnd);
    Calcul();
}

void Form1::ComboR_Click() {
    Calcul();
}

void Form1::ComboValR1_Change() {
    RebuildResistorList(*ComboValR1, *ComboR);
    Calcul();
}

void Form1::ComboValR1_Click() {
    ComboValR1_Change();
}
void Form1::ComboValR1_Scroll() {
    ComboValR1_Change();
}

void Form1::ComboC_Change() {
    Calcul();
}
void Form1::ComboC_Click() {
    Calcul();
}
void Form1::ComboValC1_Change() {
    ComboC_Change();
}
void Form1::ComboValC1_Click() {
    ComboC_Change();
}
void Form1::ComboValC1_Scroll() {
    ComboC_Change();
}

void Form1::ComboC2_Change() {
    Calcul();
}
void Form1::ComboC2_Click() {
    Calcul();
}
void Form1::ComboValC2_Change() {
    ComboC2_Change();
}
void Form1::ComboValC2_Click() {
    ComboC2_Change();
}
void Form1::ComboValC2_Scroll() {
    ComboC2_Change();
}

void Form1::ComboV_Change() {
    Calcul();
}
void Form1::ComboV_Click() {
    Calcul();
}

void Form1::Command2_Click() {
    Calcul();
}

// One schematic window for the life of the program, shown modeless and without an owner, beside
// this one.
void Form1::Command3_Click() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
    }
    form2_->ShowBeside(*this);
}

} // namespace ui
