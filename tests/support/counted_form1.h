#pragma once

#include "ui/main/form1.h"

#include <memory>

namespace testing_support {

// The main window, with the test listening to the events that its handlers answer with a
// recalculation, from the moment its controls exist, before its start-up assigns the defaults:
// a pick or a typed change in any input, a scroll of a unit list, a click on "Calcul". Each of
// them ends in one recalculation; that is what the tests count.
class CountedForm1 : public ui::Form1 {
public:
    int Recalculations() const { return *events_; }

protected:
    void CreateControls(QWidget& client) override {
        ui::Form1::CreateControls(client);
        const auto count = [events = events_] { ++*events; };
        for (runtime::ComboBox* box :
             {ComboValR1.data(), ComboR.data(), ComboValC1.data(), ComboC.data(), ComboValC2.data(),
              ComboC2.data(), ComboV.data()}) {
            box->Click.Connect(count);
            box->Change.Connect(count);
        }
        for (runtime::ComboBox* unit : {ComboValR1.data(), ComboValC1.data(), ComboValC2.data()}) {
            unit->Scroll.Connect(count);
        }
        Command2->Click.Connect(count);
    }

private:
    std::shared_ptr<int> events_ = std::make_shared<int>(0);
};

} // namespace testing_support
