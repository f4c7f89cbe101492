#pragma once

#include "catalogue/component_search.h"
#include "runtime/button.h"
#include "runtime/combo_box.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/table.h"
#include "runtime/text_box.h"
#include "ui/main/main_window_face.h"

#include <QPointer>
#include <optional>
#include <span>
#include <vector>

namespace ui {

// The component search: from the centre frequency a user wants, the (R1, C1) pairs of the main
// window's lists that give it, nearest first, and for the chosen pair the C2 that give the
// capture half-width they want at the main window's supply voltage. Applying a row sets the main
// window's boxes through the same assignments as a user's picks, so that it recalculates and
// shows the row's figures. It knows the main window only by its face.
class ComponentSearchWindow : public runtime::Form {
public:
    explicit ComponentSearchWindow(MainWindowFace& main);
    ~ComponentSearchWindow() override;

    // The controls, for the tests; null while the window is not loaded.
    runtime::TextBox* FrequencyEdit() const { return frequencyEdit_; }
    runtime::TextBox* ToleranceEdit() const { return toleranceEdit_; }
    runtime::TextBox* HalfWidthEdit() const { return halfWidthEdit_; }
    runtime::ComboBox* RangeBox() const { return rangeBox_; }
    runtime::Table* PairsTable() const { return pairsTable_; }
    runtime::Table* C2Table() const { return c2Table_; }
    runtime::Button* ApplyButton() const { return applyButton_; }
    runtime::Label* FrequencyLabel() const { return frequencyLabel_; }
    runtime::Label* FrequencyUnitLabel() const { return frequencyUnitLabel_; }
    runtime::Label* ToleranceLabel() const { return toleranceLabel_; }
    runtime::Label* ToleranceUnitLabel() const { return toleranceUnitLabel_; }
    runtime::Label* HalfWidthLabel() const { return halfWidthLabel_; }
    runtime::Label* HalfWidthUnitLabel() const { return halfWidthUnitLabel_; }
    runtime::Label* RangeLabel() const { return rangeLabel_; }
    runtime::Label* VoltageLabel() const { return voltageLabel_; }
    runtime::Label* MessageLabel() const { return messageLabel_; }
    runtime::Label* PairsLabel() const { return pairsLabel_; }
    runtime::Label* TrimmerLabel() const { return trimmerLabel_; }
    runtime::Label* RemarkLabel() const { return remarkLabel_; }
    runtime::Label* C2Label() const { return c2Label_; }
    runtime::Label* R1ToleranceLabel() const { return r1ToleranceLabel_; }
    runtime::Label* C1ToleranceLabel() const { return c1ToleranceLabel_; }
    runtime::ComboBox* R1ToleranceBox() const { return r1ToleranceBox_; }
    runtime::ComboBox* C1ToleranceBox() const { return c1ToleranceBox_; }
    // What the selected pair gives with real parts, one line each.
    runtime::Label* SpreadLabel() const { return spreadLabel_; }

    // The exact R1 for a trimmer RV1 given with the last row applied ("3,367 KOhms"), while the
    // main window still shows that row's R1 and C1; empty otherwise.
    QString TrimmerAdvice() const;

protected:
    void CreateControls(QWidget& client) override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;

private:
    static std::span<const runtime::ControlDefinition<ComponentSearchWindow>> Layout();

    void OnFrequencyEdited();
    void OnToleranceEdited();
    void OnHalfWidthEdited();
    void OnRangeChosen();
    void OnPairSelected();
    void OnPairActivated();
    void OnC2Activated();
    void OnApplyClicked();
    void ShowSpread();

    // What stays selected when the search runs again.
    enum class Keep { Nothing, Selection };
    void Search(Keep keep);
    void Apply();

    QPointer<runtime::Label> frequencyLabel_, frequencyUnitLabel_, toleranceLabel_;
    QPointer<runtime::Label> toleranceUnitLabel_, halfWidthLabel_, halfWidthUnitLabel_;
    QPointer<runtime::Label> rangeLabel_, voltageLabel_, messageLabel_, pairsLabel_;
    QPointer<runtime::Label> trimmerLabel_, remarkLabel_, c2Label_;
    QPointer<runtime::Label> r1ToleranceLabel_, c1ToleranceLabel_, spreadLabel_;
    QPointer<runtime::ComboBox> r1ToleranceBox_, c1ToleranceBox_;
    QPointer<runtime::TextBox> frequencyEdit_, toleranceEdit_, halfWidthEdit_;
    QPointer<runtime::ComboBox> rangeBox_;
    QPointer<runtime::Table> pairsTable_, c2Table_;
    QPointer<runtime::Button> applyButton_;

    MainWindowFace& main_;
    // What the user asked for when the window was last closed.
    struct KeptRequest {
        QString frequency, tolerance, halfWidth;
        int range = 0;
        int r1Tolerance = 0, c1Tolerance = 0;
    };
    std::optional<KeptRequest> keptRequest_;
    // The request and the rows shown: the pairs found, or the nearest pair when none is within the
    // tolerance, and the C2 for the selected pair.
    catalogue::SearchRequest request_;
    double wantedFrequency_ = 0.0; // as the search read it
    std::vector<catalogue::PairRow> pairs_;
    // What the search remarked on the request as a whole.
    std::vector<catalogue::Remark> searchRemarks_;
    // The trimmer's R1 shown for the selected pair, and the main window's R1 and C1 that the last
    // Apply left, with the trimmer's R1 of that moment.
    QString trimmerR1_;
    struct Applied {
        QString r1AndC1, trimmerR1;
    } applied_;
    std::vector<catalogue::TrimmerRow> trimmers_;
    std::vector<catalogue::C2Choice> c2_;
};

} // namespace ui
