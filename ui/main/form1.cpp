#include "ui/main/form1.h"

#include "calc/caption_checks.h"
#include "calc/number_text.h"
#include "catalogue/main_window_lists.h"
#include "ui/main/result_marks.h"
#include "ui/schematic/form2.h"
#include "ui/window_definition.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QMenu>
#include <QPalette>

namespace ui {

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}
QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

Form1::Form1() : Form(WindowDefinition(QStringLiteral("Vireldo 567"), 5055, 3855, true)) {}

Form1::~Form1() {
    form2_.reset();
    DestroyWindow();
}

void Form1::CreateControls(QWidget& client) {
    using runtime::ComboBox;
    using runtime::Label;
    const auto list = ComboBox::Style::List;

    auto label = [](QWidget* container, const char* name, const char* text, int left, int top,
                    int width, int height, bool centred, bool autoSize, int tabIndex) {
        auto* made = new Label(container, QString::fromLatin1(name));
        made->Move(left, top, width, height);
        made->SetCentred(centred);
        made->SetCaption(QString::fromUtf8(text));
        made->SetAutoSize(autoSize);
        made->SetTabIndex(tabIndex);
        return made;
    };
    auto combo = [](QWidget* container, const char* name, ComboBox::Style style, int left, int top,
                    int width, int tabIndex, const char* accessibleName) {
        auto* made = new ComboBox(container, QString::fromLatin1(name), style);
        made->Move(left, top, width, 315);
        made->SetTabIndex(tabIndex);
        made->SetAccessibleName(QString::fromUtf8(accessibleName));
        return made;
    };

    auto frame = [&client](const char* name, const char* caption, int left, int top, int width,
                           int height, int tabIndex) {
        auto* made =
            new runtime::Frame(&client, QString::fromLatin1(name), QString::fromUtf8(caption));
        made->Move(left, top, width, height);
        made->SetTabIndex(tabIndex);
        return made;
    };

    // In the order of the window definition; a frame is followed by what it holds.
    Frame1 = frame("Frame1", "Fréquence", 3240, 120, 1695, 2895, 16);
    QWidget* frame1 = Frame1->widget();
    Command2 = new runtime::Button(frame1, QStringLiteral("Command2"), QStringLiteral("Calcul"));
    Command2->Move(360, 2400, 990, 360);
    Command2->SetTabIndex(20);
    Command2->SetAccessibleDescription(QStringLiteral("Recalcule les résultats"));
    LblPlageBas =
        label(frame1, "LblPlageBas", "Plage Basse Hz", 0, 1560, 1845, 195, true, false, 19);
    LblPlageHaut =
        label(frame1, "LblPlageHaut", "Plage Haute Hz", 0, 600, 1725, 195, true, false, 18);
    Freq = label(frame1, "Freq", "1000,000 Hz", 0, 1080, 1725, 195, true, false, 17);

    Frame2 = frame("Frame2", "Fréquence centrale", 120, 120, 3015, 1215, 11);
    QWidget* frame2 = Frame2->widget();
    ComboValC1 = combo(frame2, "ComboValC1", list, 120, 720, 1095, 2, "Unité de C1");
    ComboValR1 = combo(frame2, "ComboValR1", list, 120, 360, 1095, 0, "Unité de R1");
    ComboC = combo(frame2, "ComboC", list, 1200, 720, 1095, 3, "Valeur de C1");
    ComboR = combo(frame2, "ComboR", ComboBox::Style::Editable, 1200, 360, 1095, 1, "Valeur de R1");
    ComboR->SetText(QStringLiteral("ComboR"));
    ComboR->SetToolTip(ResistorTip::Number);
    Label4 = label(frame2, "Label4", "C1", 2400, 760, 195, 195, false, true, 13);
    Label2 = label(frame2, "Label2", "R1/RV1", 2400, 400, 540, 195, false, true, 12);

    Frame3 = frame("Frame3", "Plage de capture", 120, 1440, 3015, 1575, 8);
    QWidget* frame3 = Frame3->widget();
    ComboC2 = combo(frame3, "ComboC2", list, 1200, 360, 1095, 5, "Valeur de C2");
    ComboValC2 = combo(frame3, "ComboValC2", list, 120, 360, 1095, 4, "Unité de C2");
    ComboV = combo(frame3, "ComboV", list, 1440, 720, 855, 6, "Tension d'alimentation");
    Label6 = label(frame3, "Label6", "Tension d'alim. :", 120, 720, 1155, 195, false, true, 14);
    B = label(frame3, "B", "+/- 100 Hz", 1440, 1200, 780, 195, true, true, 10);
    Label3 = label(frame3, "Label3", "C2", 2400, 400, 195, 195, false, true, 9);

    Command3 = new runtime::Button(&client, QStringLiteral("Command3"),
                                   QStringLiteral("Voir le schéma életronique"));
    Command3->Move(120, 3120, 4815, 360);
    Command3->SetTabIndex(7);
    Command3->SetAccessibleDescription(QStringLiteral("Ouvre la fenêtre du schéma"));
    Label1 = label(&client, "Label1", "Dévellopé par l'atelier Vireldo - www.vireldo.example", 120,
                   3560, 4815, 195, true, false, 15);
    // Stands for the workspace colour of the system palette: a muted grey, dark enough to read.
    Label1->SetForeColor(QColor(105, 105, 105));

    // A screen reader reads a result label's caption; what it is comes as its description.
    Freq->SetAccessibleDescription(ResultDescription::Freq);
    B->SetAccessibleDescription(ResultDescription::B);
    LblPlageBas->SetAccessibleDescription(ResultDescription::LblPlageBas);
    LblPlageHaut->SetAccessibleDescription(ResultDescription::LblPlageHaut);

    // The results can be selected and copied; the window's context menu copies them all.
    for (runtime::Label* result :
         {Freq.data(), B.data(), LblPlageBas.data(), LblPlageHaut.data()}) {
        result->SetSelectable();
    }
    // The arrow keys step from the resistor value shown, read by the program's number rules.
    ComboR->SetValueReader([](const QString& text) -> std::optional<double> {
        const auto number = calc::TextToNumber(Utf8(text));
        return number.ok() ? std::optional<double>(number.value) : std::nullopt;
    });

    catalogue::FillDesignLists(
        {*ComboValR1, *ComboR, *ComboValC1, *ComboC, *ComboValC2, *ComboC2, *ComboV});

    ComboR->Change.Connect([this] { ComboR_Change(); });
    ComboR->Click.Connect([this] { ComboR_Click(); });
    ComboValR1->Change.Connect([this] { ComboValR1_Change(); });
    ComboValR1->Click.Connect([this] { ComboValR1_Click(); });
    ComboValR1->Scroll.Connect([this] { ComboValR1_Scroll(); });
    ComboC->Change.Connect([this] { ComboC_Change(); });
    ComboC->Click.Connect([this] { ComboC_Click(); });
    ComboValC1->Change.Connect([this] { ComboValC1_Change(); });
    ComboValC1->Click.Connect([this] { ComboValC1_Click(); });
    ComboValC1->Scroll.Connect([this] { ComboValC1_Scroll(); });
    ComboC2->Change.Connect([this] { ComboC2_Change(); });
    ComboC2->Click.Connect([this] { ComboC2_Click(); });
    ComboValC2->Change.Connect([this] { ComboValC2_Change(); });
    ComboValC2->Click.Connect([this] { ComboValC2_Click(); });
    ComboValC2->Scroll.Connect([this] { ComboValC2_Scroll(); });
    ComboV->Change.Connect([this] { ComboV_Change(); });
    ComboV->Click.Connect([this] { ComboV_Click(); });
    Command2->Click.Connect([this] { Command2_Click(); });
    Command3->Click.Connect([this] { Command3_Click(); });
}

void Form1::Form_Load() {
    catalogue::FillListsAndSelectDefaults(
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
    lastCalcul_ = calc::Calcul(inputs, stored_, captions);
    ++calculRuns_;

    const std::string* const texts[] = {&captions.Freq, &captions.B, &captions.LblPlageBas,
                                        &captions.LblPlageHaut};
    for (std::size_t i = 0; i < 4; ++i) {
        labels[i]->SetCaption(FromUtf8(*texts[i]));
    }
    ShowMarks(inputs, calc::CheckCaptions(lastCalcul_, inputs, stored_));
}

// Captions that still show a figure of earlier inputs are greyed, figures that are no frequency
// are in the warning colour, each with the reason as its tool tip and in what a screen reader
// says of it; the resistor box shows in the same colour that its text is no number.
void Form1::ShowMarks(const calc::CalculInputs& inputs, const calc::CaptionChecks& checks) {
    const QPalette& palette = window()->palette();
    const QColor greyed = palette.color(QPalette::Disabled, QPalette::WindowText);
    const struct {
        runtime::Label* label;
        const calc::CaptionCheck& check;
        QString description;
    } marks[] = {{Freq, checks.Freq, ResultDescription::Freq},
                 {B, checks.B, ResultDescription::B},
                 {LblPlageBas, checks.LblPlageBas, ResultDescription::LblPlageBas},
                 {LblPlageHaut, checks.LblPlageHaut, ResultDescription::LblPlageHaut}};
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
            mark.label->SetForeColor(greyed);
            break;
        case calc::CaptionCheck::State::NotAFrequency:
            mark.label->SetForeColor(WarningColour);
            break;
        }
        mark.label->SetToolTip(reason);
        mark.label->SetAccessibleDescription(
            reason.isEmpty() ? mark.description : mark.description + QStringLiteral(". ") + reason);
    }

    const bool number = calc::TextToNumber(inputs.ComboR).ok();
    const QString tip = number ? ResistorTip::Number : ResistorTip::NotANumber;
    if (ComboR->ToolTip() != tip) {
        if (number) {
            ComboR->ResetForeColor();
        } else {
            ComboR->SetForeColor(WarningColour);
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
        {Freq, ResultDescription::Freq},
        {B, ResultDescription::B},
        {LblPlageBas, ResultDescription::LblPlageBas},
        {LblPlageHaut, ResultDescription::LblPlageHaut}};
    for (const auto& [label, what] : results) {
        // A marked result carries its reason along, as its tool tip says it.
        const QString reason = label->ToolTip();
        text += line(what, reason.isEmpty() ? label->Caption()
                                            : label->Caption() + QStringLiteral(" (") + reason +
                                                  QLatin1Char(')'));
    }
    return text;
}

void Form1::Form_ContextMenu(const QPoint& at) {
    QMenu menu(window());
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
    menu.exec(at);
}

// A "." typed where the numbers want a decimal comma is turned into "," at once; the assignment
// fires Change again, and that nested run finds no "." and recomputes.
void Form1::ComboR_Change() {
    if (calc::Find(ComboR->Text().toStdU16String(), u".") != 0) {
        ComboR->SetText(QString::fromStdU16String(
            calc::ReplaceAll(ComboR->Text().toStdU16String(), u".", u",")));
        ComboR->SetSelStart(static_cast<int>(calc::Length(ComboR->Text().toStdU16String())));
    }
    Calcul();
}

void Form1::ComboR_Click() {
    Calcul();
}

void Form1::ComboValR1_Change() {
    catalogue::RebuildResistorList(*ComboValR1, *ComboR);
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

// One schematic window for the life of the program, shown modeless and without an owner.
void Form1::Command3_Click() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
    }
    form2_->Show();
}

} // namespace ui
