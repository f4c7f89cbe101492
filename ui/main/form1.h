#pragma once

#include "calc/caption_checks.h"
#include "calc/recalculation.h"
#include "runtime/button.h"
#include "runtime/combo_box.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "ui/main/main_window_face.h"
#include "ui/sheet/design_sheet.h"

#include <QPointer>
#include <memory>

namespace ui {

class Form2;
class ComponentSearchWindow;

// The main window: the user picks R1, C1, C2 and the supply voltage and reads the centre
// frequency, the capture half-width and the range edges. Every input event ends in a
// recalculation; the defaults assigned at start-up fire the same events as a user's picks.
class Form1 : public runtime::Form, public MainWindowFace {
public:
    Form1();
    ~Form1() override;

    // The controls, by their names in the window definition; null while the form is not loaded.
    QPointer<runtime::Frame> Frame1, Frame2, Frame3;
    QPointer<runtime::ComboBox> ComboValR1, ComboR, ComboValC1, ComboC;
    QPointer<runtime::ComboBox> ComboValC2, ComboC2, ComboV;
    QPointer<runtime::Label> Freq, B, LblPlageBas, LblPlageHaut;
    QPointer<runtime::Label> Label1, Label2, Label3, Label4, Label6;
    QPointer<runtime::Button> Command2, Command3;

    // The schematic window, created by the first click on Command3.
    Form2* SchematicWindow() const { return form2_.get(); }
    // The component search, created when it is first asked for (Ctrl+F or the context menu).
    ComponentSearchWindow* SearchWindow() const { return searchWindow_.get(); }
    void ShowComponentSearch();

    ComponentsState State() const override;
    void ApplyComponents(const Components& components) override;
    std::optional<DesignSheet> CurrentSheet() const override;

    void Calcul();

    // The inputs and the four results as the window shows them, one per line, in French: what
    // "Copier tous les résultats" puts on the clipboard.
    QString ResultsText() const;

    // The build sheet of the design as the window shows it now: its boxes, its results with their
    // marks, and the trimmer the component search advised for it. The window must be loaded.
    DesignSheet Sheet() const;

    void ComboR_Change();
    void ComboR_Click();
    void ComboValR1_Change();
    void ComboValR1_Click();
    void ComboValR1_Scroll();
    void ComboC_Change();
    void ComboC_Click();
    void ComboValC1_Change();
    void ComboValC1_Click();
    void ComboValC1_Scroll();
    void ComboC2_Change();
    void ComboC2_Click();
    void ComboValC2_Change();
    void ComboValC2_Click();
    void ComboValC2_Scroll();
    void ComboV_Change();
    void ComboV_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void CreateControls(QWidget& client) override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_ContextMenu(const QPoint& at) override;
    // The results stay in sight beside the windows that this one opens.
    const QWidget* KeptInSight() const override;

private:
    void ShowMarks(const calc::CalculInputs& inputs, const calc::CaptionChecks& checks);

    calc::StoredValues stored_;
    // How each result stands against the boxes since the last recalculation.
    calc::CaptionChecks marks_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<ComponentSearchWindow> searchWindow_;
};

} // namespace ui
