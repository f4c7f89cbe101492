#pragma once

#include "catalogue/component_search.h"
#include "runtime/button.h"
#include "runtime/combo_box.h"
#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/table.h"
#include "runtime/text_box.h"

#include <QPointer>
#include <vector>

namespace ui {

class Form1;

// The component search: from the centre frequency a user wants, the (R1, C1) pairs of the main
// window's lists that give it, nearest first, and for the chosen pair the C2 that give the
// capture half-width they want at the main window's supply voltage. Applying a row sets the main
// window's boxes through the same assignments as a user's picks, so that it recalculates and
// shows the row's figures.
class Form3 : public runtime::Form {
public:
    explicit Form3(Form1& main);
    ~Form3() override;

    // The controls, by their names in the window definition; null while the form is not loaded.
    QPointer<runtime::Label> LblFrequency, LblFrequencyUnit, LblTolerance, LblToleranceUnit;
    QPointer<runtime::Label> LblHalfWidth, LblHalfWidthUnit, LblRange, LblVoltage;
    QPointer<runtime::Label> LblMessage, LblPairs, LblTrimmer, LblC2;
    QPointer<runtime::TextBox> TxtFrequency, TxtTolerance, TxtHalfWidth;
    QPointer<runtime::ComboBox> ComboRange;
    QPointer<runtime::Table> GridPairs, GridC2;
    QPointer<runtime::Button> CommandApply;

    void TxtFrequency_Change();
    void TxtTolerance_Change();
    void TxtHalfWidth_Change();
    void ComboRange_Click();
    void GridPairs_Click();
    void GridPairs_DblClick();
    void GridC2_DblClick();
    void CommandApply_Click();

    // The exact R1 for a trimmer RV1 given with the last row applied ("3,367 KOhms"), while the
    // main window still shows that row's R1 and C1; empty otherwise.
    QString TrimmerAdvice() const;

protected:
    void CreateControls(QWidget& client) override;
    void Form_Load() override;
    void Form_Activate() override;

private:
    // What stays selected when the search runs again.
    enum class Keep { Nothing, Selection };
    void Search(Keep keep);
    void Apply();

    Form1& main_;
    // The request and the rows shown: the pairs found, or the nearest pair when none is within the
    // tolerance, and the C2 for the selected pair.
    catalogue::SearchRequest request_;
    std::vector<catalogue::PairRow> pairs_;
    std::vector<catalogue::TrimmerRow> trimmers_;
    std::vector<catalogue::C2Choice> c2_;
    // The trimmer's R1 shown for the selected pair, and what the last Apply left in the main
    // window's R1 and C1 boxes with the trimmer's R1 of that moment.
    QString trimmerR1_;
    struct Applied {
        QString r1, c1, trimmerR1;
    } applied_;
};

} // namespace ui
