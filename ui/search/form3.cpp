#include "ui/search/form3.h"

#include "catalogue/value_lists.h"
#include "runtime/controls.h"
#include "ui/main/form1.h"
#include "ui/main/result_marks.h"
#include "ui/window_definition.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The inputs in a column on the left, the main window's voltage and the choice of R1 range on
// the right; the message under them, then the pairs, the trimmer's R1 for the selected pair and
// its C2.
// clang-format off
constexpr runtime::ControlDefinition<Form3> Layout[] = {
    {.control = &Form3::LblFrequency, .name = "LblFrequency", .rect = {120, 165, 1800, 195},
     .text = "Fréquence voulue :"},
    {.control = &Form3::TxtFrequency, .name = "TxtFrequency", .rect = {1980, 120, 1215, 315},
     .tab = 0,
     .accessibleName = "Fréquence voulue, en hertz",
     .toolTip = "En hertz, avec une virgule décimale : 1748,252"},
    {.control = &Form3::LblFrequencyUnit, .name = "LblFrequencyUnit", .rect = {3255, 165, 300, 195},
     .text = "Hz"},
    {.control = &Form3::LblTolerance, .name = "LblTolerance", .rect = {120, 585, 1800, 195},
     .text = "Tolérance :"},
    {.control = &Form3::TxtTolerance, .name = "TxtTolerance", .rect = {1980, 540, 1215, 315},
     .text = "2", .tab = 1, .accessibleName = "Tolérance, en pour cent",
     .toolTip = "0 : la fréquence exacte"},
    {.control = &Form3::LblToleranceUnit, .name = "LblToleranceUnit", .rect = {3255, 585, 300, 195},
     .text = "%"},
    {.control = &Form3::LblHalfWidth, .name = "LblHalfWidth", .rect = {120, 1005, 1800, 195},
     .text = "Demi-largeur voulue :"},
    {.control = &Form3::TxtHalfWidth, .name = "TxtHalfWidth", .rect = {1980, 960, 1215, 315},
     .tab = 2,
     .accessibleName = "Demi-largeur voulue, en hertz",
     .toolTip = "Facultative : la moitié de la plage de capture voulue, en hertz, pour choisir "
                "C2 ; laissez vide sans C2"},
    {.control = &Form3::LblHalfWidthUnit, .name = "LblHalfWidthUnit",
     .rect = {3255, 1005, 300, 195},
     .text = "Hz"},

    {.control = &Form3::LblRange, .name = "LblRange", .rect = {3960, 165, 420, 195},
     .text = "R1 :"},
    {.control = &Form3::ComboRange, .name = "ComboRange", .rect = {4380, 120, 2700, 315}, .tab = 3,
     .accessibleName = "Valeurs de R1 essayées",
     .toolTip = "De 2 kΩ à 20 kΩ : la plage que conseille le schéma"},
    {.control = &Form3::LblVoltage, .name = "LblVoltage", .rect = {3960, 585, 3120, 195},
     .text = "Tension d'alimentation :"},

    {.control = &Form3::LblMessage, .name = "LblMessage", .rect = {120, 1395, 6960, 390},
     .wordWrap = true},
    {.control = &Form3::LblPairs, .name = "LblPairs", .rect = {120, 1860, 6960, 195},
     .text = "Paires R1 et C1, la plus proche d'abord :"},
    {.control = &Form3::GridPairs, .name = "GridPairs", .rect = {120, 2085, 6960, 2280},
     .text = "R1\tC1\tFréquence\tÉcart", .tab = 4, .accessibleName = "Paires R1 et C1 trouvées",
     .toolTip = "Double-clic ou Entrée : appliquer dans la fenêtre principale"},
    {.control = &Form3::LblTrimmer, .name = "LblTrimmer", .rect = {120, 4440, 6960, 195}},
    {.control = &Form3::LblC2, .name = "LblC2", .rect = {120, 4770, 6960, 195},
     .text = "C2 pour la demi-largeur voulue :"},
    {.control = &Form3::GridC2, .name = "GridC2", .rect = {120, 4995, 4320, 930},
     .text = "C2\tDemi-largeur", .tab = 5, .accessibleName = "Valeurs de C2",
     .toolTip = "Double-clic ou Entrée : appliquer dans la fenêtre principale"},
    {.control = &Form3::CommandApply, .name = "CommandApply", .rect = {5760, 5565, 1320, 360},
     .text = "Appliquer", .tab = 6,
     .description = "Règle R1, C1 et C2 dans la fenêtre principale"},
};
// clang-format on

// The choices of ComboRange: their positions are the values of catalogue::R1Range.
constexpr const char* RangeItems[] = {"De 2 kΩ à 20 kΩ (conseillé)",
                                      "Toutes les valeurs des listes"};
static_assert(static_cast<int>(catalogue::R1Range::Advised) == 0 &&
              static_cast<int>(catalogue::R1Range::AnyListValue) == 1 &&
              std::size(RangeItems) == 2);

runtime::FormDefinition Definition() {
    runtime::FormDefinition definition =
        WindowDefinition(QStringLiteral("Recherche de composants"), 7200, 6045, false);
    definition.closeOnEscape = true;
    return definition;
}

// A value with its unit, as the main window's two boxes show them side by side: "22 KOhms".
template <std::size_t N>
QString PartText(const catalogue::Part& part, const std::array<catalogue::Item, N>& units) {
    const bool known = part.unit >= 0 && static_cast<std::size_t>(part.unit) < N;
    return known ? FromUtf8(part.value) + QLatin1Char(' ') +
                       FromUtf8(units[static_cast<std::size_t>(part.unit)])
                 : FromUtf8(part.value);
}

// Nothing typed yet is no mistake to point out.
bool IsBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

// A "." typed where the numbers want a decimal comma becomes "," at once, as in the main
// window's resistor box, and the caret stays where it was. The assignment raises Change again,
// and that nested run does the search. False when there was nothing to correct.
bool CorrectDecimalPoint(runtime::TextBox& box) {
    QString text = box.Text();
    if (!text.contains(QLatin1Char('.'))) {
        return false;
    }
    const int caret = box.SelStart();
    box.SetText(text.replace(QLatin1Char('.'), QLatin1Char(',')));
    box.SetSelStart(caret);
    return true;
}

// The main window's boxes as a user's picks set them: a unit only when it changes, since a new
// resistor unit rebuilds the value list; then the value as the item of its list, or typed, for
// a value such as the start-up "26" kΩ that is no item.
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

Form3::Form3(Form1& main) : Form(Definition()), main_(main) {}

Form3::~Form3() {
    DestroyWindow();
}

void Form3::CreateControls(QWidget& client) {
    runtime::CreateControls<Form3>(*this, client, Layout);

    for (const char* item : RangeItems) {
        ComboRange->AddItem(QString::fromUtf8(item), ComboRange->ListCount());
    }

    TxtFrequency->Change.Connect(this, &Form3::TxtFrequency_Change);
    TxtTolerance->Change.Connect(this, &Form3::TxtTolerance_Change);
    TxtHalfWidth->Change.Connect(this, &Form3::TxtHalfWidth_Change);
    ComboRange->Click.Connect(this, &Form3::ComboRange_Click);
    GridPairs->Click.Connect(this, &Form3::GridPairs_Click);
    GridPairs->DblClick.Connect(this, &Form3::GridPairs_DblClick);
    GridC2->DblClick.Connect(this, &Form3::GridC2_DblClick);
    CommandApply->Click.Connect(this, &Form3::CommandApply_Click);
}

// The advised range by default; its Click runs the first search.
void Form3::Form_Load() {
    ComboRange->SetListIndex(0);
}

// Back in this window, the user may have changed the main window's voltage or R1 meanwhile.
// Back in the window: the main window's voltage or R1, which the search reads, may have
// changed meanwhile. Only then is the table made again, so that a click that activates the
// window lands on the row it was aimed at.
void Form3::Form_Activate() {
    if (IsLoaded() && (request_.voltage != Utf8(main_.ComboV->Text()) ||
                       request_.currentR1 != Utf8(main_.ComboR->Text()) ||
                       request_.currentR1Unit != main_.ComboValR1->ListIndex())) {
        Search(Keep::Selection);
    }
}

void Form3::TxtFrequency_Change() {
    if (!CorrectDecimalPoint(*TxtFrequency)) {
        Search(Keep::Nothing);
    }
}

void Form3::TxtTolerance_Change() {
    if (!CorrectDecimalPoint(*TxtTolerance)) {
        Search(Keep::Nothing);
    }
}

void Form3::TxtHalfWidth_Change() {
    if (!CorrectDecimalPoint(*TxtHalfWidth)) {
        Search(Keep::Nothing);
    }
}

void Form3::ComboRange_Click() {
    Search(Keep::Nothing);
}

// Runs the search on the inputs and on the main window as it is now, and selects the nearest
// pair, or with Keep::Selection the pair and the C2 that were selected, where they still appear.
void Form3::Search(Keep keep) {
    std::optional<catalogue::PairRow> keptPair;
    std::optional<catalogue::Part> keptC2;
    if (keep == Keep::Selection) {
        if (const int row = GridPairs->ListIndex(); row >= 0) {
            keptPair = pairs_[static_cast<std::size_t>(row)];
        }
        if (const int row = GridC2->ListIndex(); row >= 0) {
            keptC2 = c2_[static_cast<std::size_t>(row)].c2;
        }
    }

    request_ = {.frequency = Utf8(TxtFrequency->Text()),
                .tolerance = Utf8(TxtTolerance->Text()),
                .halfWidth = Utf8(TxtHalfWidth->Text()),
                .voltage = Utf8(main_.ComboV->Text()),
                .range = ComboRange->ListIndex() > 0
                             ? static_cast<catalogue::R1Range>(ComboRange->ListIndex())
                             : catalogue::R1Range::Advised,
                .currentR1 = Utf8(main_.ComboR->Text()),
                .currentR1Unit = main_.ComboValR1->ListIndex()};
    LblVoltage->SetCaption(QStringLiteral("Tension d'alimentation : ") + main_.ComboV->Text() +
                           QStringLiteral(" V"));

    catalogue::SearchResult result;
    if (!IsBlank(TxtFrequency->Text())) {
        result = catalogue::FindPairs(request_);
    }
    pairs_ = std::move(result.rows);
    if (result.nearest) {
        pairs_.push_back(*result.nearest); // offered, to be applied as any other row
    }
    trimmers_ = std::move(result.trimmers);

    LblMessage->SetCaption(FromUtf8(result.message));
    const bool mistake = result.problem != catalogue::Problem::None &&
                         result.problem != catalogue::Problem::NothingWithinTolerance;
    if (mistake) {
        LblMessage->SetForeColor(WarningColour);
    } else {
        LblMessage->ResetForeColor();
    }

    QList<QStringList> rows;
    rows.reserve(static_cast<qsizetype>(pairs_.size()));
    for (const catalogue::PairRow& pair : pairs_) {
        rows.append({PartText(pair.r1, catalogue::ResistorUnits),
                     PartText(pair.c1, catalogue::C1Units),
                     FromUtf8(pair.frequency) + QStringLiteral(" Hz"),
                     FromUtf8(pair.deviation) + QStringLiteral(" %")});
    }
    GridPairs->SetRows(rows);

    int selected = pairs_.empty() ? -1 : 0;
    if (keptPair) {
        const auto found = std::find_if(pairs_.begin(), pairs_.end(), [&](const auto& pair) {
            return pair.r1 == keptPair->r1 && pair.c1 == keptPair->c1;
        });
        if (found != pairs_.end()) {
            selected = static_cast<int>(found - pairs_.begin());
        }
    }
    GridPairs->SetListIndex(selected);

    if (keptC2) {
        const auto found = std::find_if(c2_.begin(), c2_.end(),
                                        [&](const auto& choice) { return choice.c2 == *keptC2; });
        if (found != c2_.end()) {
            GridC2->SetListIndex(static_cast<int>(found - c2_.begin()));
        }
    }
}

// The trimmer's R1 and the C2 follow the selected pair; without one there is nothing to apply.
void Form3::GridPairs_Click() {
    const int row = GridPairs->ListIndex();
    const catalogue::PairRow* pair = row >= 0 && static_cast<std::size_t>(row) < pairs_.size()
                                         ? &pairs_[static_cast<std::size_t>(row)]
                                         : nullptr;

    const auto trimmer =
        pair == nullptr
            ? trimmers_.end()
            : std::find_if(trimmers_.begin(), trimmers_.end(),
                           [pair](const catalogue::TrimmerRow& t) { return t.c1 == pair->c1; });
    trimmerR1_ = trimmer == trimmers_.end()
                     ? QString()
                     : PartText({trimmer->unit, trimmer->exactR1}, catalogue::ResistorUnits);
    LblTrimmer->SetCaption(trimmerR1_.isEmpty()
                               ? QString()
                               : QStringLiteral("R1 exacte pour ce C1 (ajustable RV1) : ") +
                                     trimmerR1_);

    c2_ = pair != nullptr ? catalogue::NearestC2(*pair, request_)
                          : std::vector<catalogue::C2Choice>();
    QList<QStringList> rows;
    for (const catalogue::C2Choice& choice : c2_) {
        rows.append({PartText(choice.c2, catalogue::C2Units), FromUtf8(choice.caption)});
    }
    GridC2->SetRows(rows);
    GridC2->SetListIndex(c2_.empty() ? -1 : 0);

    CommandApply->SetEnabled(pair != nullptr);
}

void Form3::GridPairs_DblClick() {
    Apply();
}

void Form3::GridC2_DblClick() {
    Apply();
}

void Form3::CommandApply_Click() {
    Apply();
}

// The selected pair, and the selected C2 if any, into the main window: R1's unit and value, then
// C1's, then C2's. Each assignment fires the event a user's pick fires, and the main window
// recalculates as for any pick.
void Form3::Apply() {
    const int row = GridPairs->ListIndex();
    if (row < 0 || static_cast<std::size_t>(row) >= pairs_.size() || !main_.IsLoaded()) {
        return;
    }
    const catalogue::PairRow pair = pairs_[static_cast<std::size_t>(row)];
    std::optional<catalogue::Part> c2;
    if (const int choice = GridC2->ListIndex();
        choice >= 0 && static_cast<std::size_t>(choice) < c2_.size()) {
        c2 = c2_[static_cast<std::size_t>(choice)].c2;
    }

    SetUnit(*main_.ComboValR1, pair.r1.unit);
    SetValue(*main_.ComboR, pair.r1.value);
    SetUnit(*main_.ComboValC1, pair.c1.unit);
    SetValue(*main_.ComboC, pair.c1.value);
    if (c2) {
        SetUnit(*main_.ComboValC2, c2->unit);
        SetValue(*main_.ComboC2, c2->value);
    }
    applied_ = {main_.ComboR->Text() + main_.ComboValR1->Text(),
                main_.ComboC->Text() + main_.ComboValC1->Text(), trimmerR1_};
}

QString Form3::TrimmerAdvice() const {
    const bool same = main_.IsLoaded() &&
                      main_.ComboR->Text() + main_.ComboValR1->Text() == applied_.r1 &&
                      main_.ComboC->Text() + main_.ComboValC1->Text() == applied_.c1;
    return same ? applied_.trimmerR1 : QString();
}

} // namespace ui
