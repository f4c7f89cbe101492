#include "ui/search/component_search_window.h"

#include "catalogue/tolerance_spread.h"
#include "catalogue/value_lists.h"
#include "runtime/controls.h"
#include "ui/decimal_comma.h"
#include "ui/search/search_messages.h"
#include "ui/search/spread_lines.h"
#include "ui/utf8.h"
#include "ui/window_definition.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

namespace {

// The choices of rangeBox_: their positions are the values of catalogue::R1Range.
constexpr const char* RangeItems[] = {"De 2 kΩ à 20 kΩ (conseillé)",
                                      "Toutes les valeurs des listes"};
static_assert(static_cast<int>(catalogue::R1Range::Advised) == 0 &&
              static_cast<int>(catalogue::R1Range::AnyListValue) == 1 &&
              std::size(RangeItems) == 2);

runtime::FormDefinition Definition() {
    runtime::FormDefinition definition =
        WindowDefinition(QStringLiteral("Recherche de composants"), 7200, 8010, false);
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

// What identifies the design the search applied: R1 and C1 as the main window shows them.
QString R1AndC1(const ComponentsState& state) {
    return state.r1.value + state.r1.unitText + QLatin1Char('/') + state.c1.value +
           state.c1.unitText;
}

// A row's cells as a spreadsheet takes them: separated by tabs, the empty ones left out at the end.
QString RowCells(const runtime::Table& table, int row) {
    QStringList cells;
    for (int column = 0; column < table.ColumnCount(); ++column) {
        cells << table.TextMatrix(row, column);
    }
    while (!cells.isEmpty() && cells.last().isEmpty()) {
        cells.removeLast();
    }
    return cells.join(QLatin1Char('\t'));
}

// "5 %", as the tolerance lists show it.
QString PercentText(int percent) {
    return QString::number(percent) + QStringLiteral(" %");
}

template <std::size_t N> constexpr int IndexOf(const std::array<int, N>& percents, int percent) {
    return static_cast<int>(std::find(percents.begin(), percents.end(), percent) -
                            percents.begin());
}
static_assert(IndexOf(catalogue::R1TolerancePercents, catalogue::Tolerances{}.r1Percent) <
                  static_cast<int>(catalogue::R1TolerancePercents.size()) &&
              IndexOf(catalogue::C1TolerancePercents, catalogue::Tolerances{}.c1Percent) <
                  static_cast<int>(catalogue::C1TolerancePercents.size()));

} // namespace

ComponentSearchWindow::ComponentSearchWindow(MainWindowFace& main)
    : Form(Definition()), main_(main) {}

ComponentSearchWindow::~ComponentSearchWindow() {
    DestroyWindow();
}

// The inputs in a column on the left, the main window's voltage and the choice of R1 range on
// the right; the message under them, then the pairs, the trimmer's R1 for the selected pair, the
// remarks on them, and its C2. Each control's name is its member's.
std::span<const runtime::ControlDefinition<ComponentSearchWindow>> ComponentSearchWindow::Layout() {
    using Window = ComponentSearchWindow;
    // clang-format off
    static constexpr runtime::ControlDefinition<Window> rows[] = {
        {.control = &Window::frequencyLabel_, .name = "frequencyLabel",
         .rect = {120, 165, 1800, 195}, .text = "Fréquence voulue :"},
        {.control = &Window::frequencyEdit_, .name = "frequencyEdit",
         .rect = {1980, 120, 1215, 315}, .tab = 0,
         .accessibleName = "Fréquence voulue, en hertz",
         .toolTip = "En hertz, avec une virgule décimale : 1748,252"},
        {.control = &Window::frequencyUnitLabel_, .name = "frequencyUnitLabel",
         .rect = {3255, 165, 300, 195}, .text = "Hz"},
        {.control = &Window::toleranceLabel_, .name = "toleranceLabel",
         .rect = {120, 585, 1800, 195}, .text = "Tolérance :"},
        {.control = &Window::toleranceEdit_, .name = "toleranceEdit",
         .rect = {1980, 540, 1215, 315}, .text = "2", .tab = 1,
         .accessibleName = "Tolérance, en pour cent", .toolTip = "0 : la fréquence exacte"},
        {.control = &Window::toleranceUnitLabel_, .name = "toleranceUnitLabel",
         .rect = {3255, 585, 300, 195}, .text = "%"},
        {.control = &Window::halfWidthLabel_, .name = "halfWidthLabel",
         .rect = {120, 1005, 1800, 195}, .text = "Demi-largeur voulue :"},
        {.control = &Window::halfWidthEdit_, .name = "halfWidthEdit",
         .rect = {1980, 960, 1215, 315}, .tab = 2,
         .accessibleName = "Demi-largeur voulue, en hertz",
         .toolTip = "Facultative : la moitié de la plage de capture voulue, en hertz, pour "
                    "choisir C2 ; laissez vide sans C2"},
        {.control = &Window::halfWidthUnitLabel_, .name = "halfWidthUnitLabel",
         .rect = {3255, 1005, 300, 195}, .text = "Hz"},

        {.control = &Window::rangeLabel_, .name = "rangeLabel", .rect = {3960, 165, 420, 195},
         .text = "R1 :"},
        {.control = &Window::rangeBox_, .name = "rangeBox", .rect = {4380, 120, 2700, 315},
         .tab = 3, .accessibleName = "Valeurs de R1 essayées",
         .toolTip = "De 2 kΩ à 20 kΩ : la plage que conseille le schéma"},
        {.control = &Window::voltageLabel_, .name = "voltageLabel",
         .rect = {3960, 585, 3120, 195}, .text = "Tension d'alimentation :"},

        {.control = &Window::messageLabel_, .name = "messageLabel",
         .rect = {120, 1395, 6960, 390}, .wordWrap = true},
        {.control = &Window::pairsLabel_, .name = "pairsLabel", .rect = {120, 1860, 6960, 195},
         .text = "Paires R1 et C1, la plus proche d'abord :"},
        {.control = &Window::pairsTable_, .name = "pairsTable", .rect = {120, 2085, 6960, 1905},
         .text = "R1\tC1\tFréquence\tÉcart", .tab = 4,
         .accessibleName = "Paires R1 et C1 trouvées",
         .toolTip = "Double-clic ou Entrée : appliquer dans la fenêtre principale"},
        {.control = &Window::trimmerLabel_, .name = "trimmerLabel",
         .rect = {120, 4050, 6960, 195}},
        {.control = &Window::remarkLabel_, .name = "remarkLabel", .rect = {120, 4290, 6960, 390},
         .wordWrap = true},
        // The heading of the C2 choices, not a value of C2 as the schematic window's LblC2.
        {.control = &Window::c2Label_, .name = "c2Label", .rect = {120, 4770, 6960, 195},
         .text = "C2 pour la demi-largeur voulue :"},
        {.control = &Window::c2Table_, .name = "c2Table", .rect = {120, 4995, 5520, 930},
         .text = "C2\tDemi-largeur\tRemarque", .tab = 5, .accessibleName = "Valeurs de C2",
         .toolTip = "Double-clic ou Entrée : appliquer dans la fenêtre principale"},
        {.control = &Window::applyButton_, .name = "applyButton", .rect = {5760, 5565, 1320, 360},
         .text = "Appliquer", .tab = 6,
         .description = "Règle R1, C1 et C2 dans la fenêtre principale", .defaultButton = true},

        // The selected pair built with real parts.
        {.control = &Window::r1ToleranceLabel_, .name = "r1ToleranceLabel",
         .rect = {120, 6135, 1800, 195}, .text = "Tolérance de R1 :"},
        {.control = &Window::r1ToleranceBox_, .name = "r1ToleranceBox",
         .rect = {1980, 6090, 1215, 315}, .tab = 7, .accessibleName = "Tolérance de R1",
         .toolTip = "5 % : couche carbone ; 1 % : couche métallique"},
        {.control = &Window::c1ToleranceLabel_, .name = "c1ToleranceLabel",
         .rect = {3960, 6135, 1800, 195}, .text = "Tolérance de C1 :"},
        {.control = &Window::c1ToleranceBox_, .name = "c1ToleranceBox",
         .rect = {5760, 6090, 1320, 315}, .tab = 8, .accessibleName = "Tolérance de C1"},
        {.control = &Window::spreadLabel_, .name = "spreadLabel", .rect = {120, 6525, 6960, 1365},
         .selectable = true, .wordWrap = true},
    };
    // clang-format on
    return rows;
}

void ComponentSearchWindow::CreateControls(QWidget& client) {
    runtime::CreateControls<ComponentSearchWindow>(*this, client, Layout());

    // Three rows at most, the reasons of a C2's remarks at the end.
    c2Table_->FitColumnsToCells();
    for (const char* item : RangeItems) {
        rangeBox_->AddItem(QString::fromUtf8(item), rangeBox_->ListCount());
    }
    for (const int percent : catalogue::R1TolerancePercents) {
        r1ToleranceBox_->AddItem(PercentText(percent), r1ToleranceBox_->ListCount());
    }
    for (const int percent : catalogue::C1TolerancePercents) {
        c1ToleranceBox_->AddItem(PercentText(percent), c1ToleranceBox_->ListCount());
    }
    // Ctrl+C on a pair copies it, the C2 and the voltage that the capture lines are for, and
    // what its real parts give.
    pairsTable_->SetCopyText([this](int row) {
        QString text = RowCells(*pairsTable_, row) + QLatin1Char('\n');
        if (const int c2 = c2Table_->ListIndex(); c2 >= 0) {
            text += RowCells(*c2Table_, c2) + QLatin1Char('\t') + voltageLabel_->Caption() +
                    QLatin1Char('\n');
        }
        const QString spread = spreadLabel_->Caption();
        return spread.isEmpty() ? text : text + spread + QLatin1Char('\n');
    });

    frequencyEdit_->Change.Connect(this, &ComponentSearchWindow::OnFrequencyEdited);
    toleranceEdit_->Change.Connect(this, &ComponentSearchWindow::OnToleranceEdited);
    halfWidthEdit_->Change.Connect(this, &ComponentSearchWindow::OnHalfWidthEdited);
    rangeBox_->Click.Connect(this, &ComponentSearchWindow::OnRangeChosen);
    pairsTable_->Click.Connect(this, &ComponentSearchWindow::OnPairSelected);
    pairsTable_->DblClick.Connect(this, &ComponentSearchWindow::OnPairActivated);
    c2Table_->Click.Connect(this, &ComponentSearchWindow::ShowSpread);
    c2Table_->DblClick.Connect(this, &ComponentSearchWindow::OnC2Activated);
    r1ToleranceBox_->Click.Connect(this, &ComponentSearchWindow::ShowSpread);
    c1ToleranceBox_->Click.Connect(this, &ComponentSearchWindow::ShowSpread);
    applyButton_->Click.Connect(this, &ComponentSearchWindow::OnApplyClicked);
}

// The advised range by default; its Click runs the first search. Opened again, the window shows
// the request it was closed with, searched afresh: the frequency comes last, so that only its
// Change searches with every box filled in (a blank frequency is no search).
void ComponentSearchWindow::Form_Load() {
    if (!keptRequest_) {
        r1ToleranceBox_->SetListIndex(
            IndexOf(catalogue::R1TolerancePercents, catalogue::Tolerances{}.r1Percent));
        c1ToleranceBox_->SetListIndex(
            IndexOf(catalogue::C1TolerancePercents, catalogue::Tolerances{}.c1Percent));
        rangeBox_->SetListIndex(0);
        return;
    }
    r1ToleranceBox_->SetListIndex(keptRequest_->r1Tolerance);
    c1ToleranceBox_->SetListIndex(keptRequest_->c1Tolerance);
    toleranceEdit_->SetText(keptRequest_->tolerance);
    halfWidthEdit_->SetText(keptRequest_->halfWidth);
    rangeBox_->SetListIndex(keptRequest_->range);
    frequencyEdit_->SetText(keptRequest_->frequency);
}

// Kept for the next opening within this run of the program, not from one run to the next.
void ComponentSearchWindow::Form_Unload() {
    keptRequest_ = KeptRequest{.frequency = frequencyEdit_->Text(),
                               .tolerance = toleranceEdit_->Text(),
                               .halfWidth = halfWidthEdit_->Text(),
                               .range = rangeBox_->ListIndex(),
                               .r1Tolerance = r1ToleranceBox_->ListIndex(),
                               .c1Tolerance = c1ToleranceBox_->ListIndex()};
}

// Back in the window: the main window's voltage or R1, which the search reads, may have
// changed meanwhile. Only then is the table made again, so that a click that activates the
// window lands on the row it was aimed at.
void ComponentSearchWindow::Form_Activate() {
    if (!IsLoaded()) {
        return;
    }
    const ComponentsState main = main_.State();
    if (request_.voltage != Utf8(main.voltage) || request_.currentR1 != Utf8(main.r1.value) ||
        request_.currentR1Unit != main.r1.unit) {
        Search(Keep::Selection);
    }
}

void ComponentSearchWindow::OnFrequencyEdited() {
    if (!CorrectDecimalPoint(*frequencyEdit_, CaretAfterComma::Stays)) {
        Search(Keep::Nothing);
    }
}

void ComponentSearchWindow::OnToleranceEdited() {
    if (!CorrectDecimalPoint(*toleranceEdit_, CaretAfterComma::Stays)) {
        Search(Keep::Nothing);
    }
}

void ComponentSearchWindow::OnHalfWidthEdited() {
    if (!CorrectDecimalPoint(*halfWidthEdit_, CaretAfterComma::Stays)) {
        Search(Keep::Nothing);
    }
}

void ComponentSearchWindow::OnRangeChosen() {
    Search(Keep::Nothing);
}

// Runs the search on the inputs and on the main window as it is now, and selects the nearest
// pair, or with Keep::Selection the pair and the C2 that were selected, where they still appear.
void ComponentSearchWindow::Search(Keep keep) {
    std::optional<catalogue::PairRow> keptPair;
    std::optional<catalogue::Part> keptC2;
    if (keep == Keep::Selection) {
        if (const int row = pairsTable_->ListIndex(); row >= 0) {
            keptPair = pairs_[static_cast<std::size_t>(row)];
        }
        if (const int row = c2Table_->ListIndex(); row >= 0) {
            keptC2 = c2_[static_cast<std::size_t>(row)].c2;
        }
    }

    const ComponentsState main = main_.State();
    request_ = {.frequency = Utf8(frequencyEdit_->Text()),
                .tolerance = Utf8(toleranceEdit_->Text()),
                .halfWidth = Utf8(halfWidthEdit_->Text()),
                .voltage = Utf8(main.voltage),
                .range = rangeBox_->ListIndex() > 0
                             ? static_cast<catalogue::R1Range>(rangeBox_->ListIndex())
                             : catalogue::R1Range::Advised,
                .currentR1 = Utf8(main.r1.value),
                .currentR1Unit = main.r1.unit};
    voltageLabel_->SetCaption(QStringLiteral("Tension d'alimentation : ") + main.voltage +
                              QStringLiteral(" V"));

    catalogue::SearchResult result;
    QString message;
    // Nothing typed yet is no mistake to point out.
    if (!catalogue::IsBlank(request_.frequency)) {
        result = catalogue::FindPairs(request_);
        message = SearchMessage(result);
    }
    wantedFrequency_ = result.frequency;
    pairs_ = std::move(result.rows);
    searchRemarks_ = std::move(result.remarks);
    if (result.nearest) {
        pairs_.push_back(*result.nearest); // offered, to be applied as any other row
    }
    trimmers_ = std::move(result.trimmers);

    messageLabel_->SetCaption(message);
    if (result.problem) {
        messageLabel_->SetForeColor(runtime::Ink::Warning);
    } else {
        messageLabel_->ResetForeColor();
    }

    pairsTable_->SetRows(static_cast<int>(pairs_.size()), [this](int row, int column) {
        if (static_cast<std::size_t>(row) >= pairs_.size()) {
            return QString();
        }
        const catalogue::PairRow& pair = pairs_[static_cast<std::size_t>(row)];
        switch (column) {
        case 0:
            return PartText(pair.r1, catalogue::ResistorUnits);
        case 1:
            return PartText(pair.c1, catalogue::C1Units);
        case 2:
            return FromUtf8(pair.frequency) + QStringLiteral(" Hz");
        default:
            return FromUtf8(pair.deviation) + QStringLiteral(" %");
        }
    });

    int selected = pairs_.empty() ? -1 : 0;
    if (keptPair) {
        const auto found = std::find_if(pairs_.begin(), pairs_.end(), [&](const auto& pair) {
            return pair.r1 == keptPair->r1 && pair.c1 == keptPair->c1;
        });
        if (found != pairs_.end()) {
            selected = static_cast<int>(found - pairs_.begin());
        }
    }
    // Its Click, raised before the assignment returns, makes the C2 rows of that pair: the C2
    // that was selected is looked for among them.
    pairsTable_->SetListIndex(selected);

    if (keptC2) {
        const auto found = std::find_if(c2_.begin(), c2_.end(),
                                        [&](const auto& choice) { return choice.c2 == *keptC2; });
        if (found != c2_.end()) {
            c2Table_->SetListIndex(static_cast<int>(found - c2_.begin()));
        }
    }
}

// The trimmer's R1 and the C2 follow the selected pair; without one there is nothing to apply.
void ComponentSearchWindow::OnPairSelected() {
    const int row = pairsTable_->ListIndex();
    const catalogue::PairRow* pair = row >= 0 && static_cast<std::size_t>(row) < pairs_.size()
                                         ? &pairs_[static_cast<std::size_t>(row)]
                                         : nullptr;

    const auto trimmer =
        pair == nullptr
            ? trimmers_.end()
            : std::find_if(trimmers_.begin(), trimmers_.end(),
                           [pair](const catalogue::TrimmerRow& t) { return t.c1 == pair->c1; });
    // A trimmer's R1 beyond the lists comes without a value, its remark says why.
    trimmerR1_ = trimmer == trimmers_.end() || trimmer->exactR1.empty()
                     ? QString()
                     : PartText({trimmer->unit, trimmer->exactR1}, catalogue::ResistorUnits);
    trimmerLabel_->SetCaption(trimmerR1_.isEmpty()
                                  ? QString()
                                  : QStringLiteral("R1 exacte pour ce C1 (ajustable RV1) : ") +
                                        trimmerR1_);
    std::vector<catalogue::Remark> remarks = searchRemarks_;
    if (trimmer != trimmers_.end()) {
        remarks.insert(remarks.end(), trimmer->remarks.begin(), trimmer->remarks.end());
    }
    const RemarkWords remark = RemarkLine(remarks);
    if (remark.shown != remarkLabel_->Caption()) {
        remarkLabel_->SetCaption(remark.shown);
        // Its colour is chosen for what it is drawn on, once the window is on screen: only when
        // a remark comes, not at every keystroke.
        if (!remark.shown.isEmpty()) {
            remarkLabel_->SetForeColor(runtime::Ink::Warning);
        }
    }
    remarkLabel_->SetToolTip(remark.reasons);
    remarkLabel_->SetAccessibleDescription(remark.reasons);

    c2_ = pair != nullptr ? catalogue::NearestC2(*pair, request_)
                          : std::vector<catalogue::C2Choice>();
    c2Table_->SetRows(static_cast<int>(c2_.size()), [this](int c2Row, int column) {
        if (static_cast<std::size_t>(c2Row) >= c2_.size()) {
            return QString();
        }
        const catalogue::C2Choice& choice = c2_[static_cast<std::size_t>(c2Row)];
        switch (column) {
        case 0:
            return PartText(choice.c2, catalogue::C2Units);
        case 1:
            return FromUtf8(choice.caption);
        default:
            return C2Mark(choice.remarks).shown;
        }
    });
    for (std::size_t i = 0; i < c2_.size(); ++i) {
        c2Table_->SetRowDescription(static_cast<int>(i), C2Mark(c2_[i].remarks).reasons);
    }
    c2Table_->SetListIndex(c2_.empty() ? -1 : 0);

    applyButton_->SetEnabled(pair != nullptr);
    ShowSpread();
}

// What the selected pair gives with parts at the ends of their tolerances, with the selected C2.
void ComponentSearchWindow::ShowSpread() {
    const int row = pairsTable_->ListIndex();
    const int r1Tolerance = r1ToleranceBox_->ListIndex();
    const int c1Tolerance = c1ToleranceBox_->ListIndex();
    QStringList lines;
    if (row >= 0 && static_cast<std::size_t>(row) < pairs_.size() && r1Tolerance >= 0 &&
        c1Tolerance >= 0) {
        std::optional<catalogue::Part> c2;
        if (const int choice = c2Table_->ListIndex();
            choice >= 0 && static_cast<std::size_t>(choice) < c2_.size()) {
            c2 = c2_[static_cast<std::size_t>(choice)].c2;
        }
        const catalogue::Tolerances tolerances{
            .r1Percent = catalogue::R1TolerancePercents[static_cast<std::size_t>(r1Tolerance)],
            .c1Percent = catalogue::C1TolerancePercents[static_cast<std::size_t>(c1Tolerance)]};
        lines = SpreadLines(catalogue::DesignSpreadOf(pairs_[static_cast<std::size_t>(row)],
                                                      wantedFrequency_, c2, request_.voltage,
                                                      tolerances));
    }
    const QString text = lines.join(QLatin1Char('\n'));
    spreadLabel_->SetCaption(text);
    // A screen reader hears them after the tolerance picked: the label never takes the focus.
    r1ToleranceBox_->SetAccessibleDescription(text);
    c1ToleranceBox_->SetAccessibleDescription(text);
}

void ComponentSearchWindow::OnPairActivated() {
    Apply();
}

void ComponentSearchWindow::OnC2Activated() {
    Apply();
}

void ComponentSearchWindow::OnApplyClicked() {
    Apply();
}

// The selected pair, and the selected C2 if any, into the main window: R1's unit and value, then
// C1's, then C2's. Each assignment fires the event a user's pick fires, and the main window
// recalculates as for any pick.
void ComponentSearchWindow::Apply() {
    const int row = pairsTable_->ListIndex();
    if (row < 0 || static_cast<std::size_t>(row) >= pairs_.size()) {
        return;
    }
    Components components{.r1 = pairs_[static_cast<std::size_t>(row)].r1,
                          .c1 = pairs_[static_cast<std::size_t>(row)].c1};
    if (const int choice = c2Table_->ListIndex();
        choice >= 0 && static_cast<std::size_t>(choice) < c2_.size()) {
        components.c2 = c2_[static_cast<std::size_t>(choice)].c2;
    }
    main_.ApplyComponents(components);
    applied_ = {R1AndC1(main_.State()), trimmerR1_};
}

QString ComponentSearchWindow::TrimmerAdvice() const {
    return !applied_.r1AndC1.isEmpty() && R1AndC1(main_.State()) == applied_.r1AndC1
               ? applied_.trimmerR1
               : QString();
}

} // namespace ui
