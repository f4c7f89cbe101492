#pragma once

// What the schematic window's tests share: the main window after its start-up, opened from its
// button as a user opens it, and the user's ways of editing the resistor value.
#include "gui_helpers.h"
#include "qstring_printer.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace schematic_test {

// The user selects the whole text of the resistor value and types over it; empty text leaves the
// box emptied with Backspace.
inline void RetypeResistor(ui::Form1& main, const QString& typed) {
    QLineEdit* edit = main.ComboR->combo()->lineEdit();
    testing_support::FocusOn(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (typed.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(edit, typed);
    }
}

// The main window in its start-up state, shown; unloaded at the end with whatever it opened.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { main.Show(); }

    void TearDown() override {
        main.Unload();
        if (ui::Form2* schematic = main.SchematicWindow()) {
            schematic->Unload();
        }
        // The unloaded windows go now rather than at the end of the program.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A click with the mouse on "Voir le schéma életronique"; the schematic window it shows.
    ui::Form2& ClickCommand3() {
        QTest::mouseClick(main.Command3->widget(), Qt::LeftButton);
        ui::Form2* schematic = main.SchematicWindow();
        if (schematic == nullptr) {
            // Ends the test in failure; GoogleTest reports the exception.
            throw std::runtime_error("Command3 did not create the schematic window");
        }
        EXPECT_TRUE(schematic->IsLoaded()) << "Command3 did not show the schematic window";
        return *schematic;
    }

    void RetypeResistor(const QString& typed) { schematic_test::RetypeResistor(main, typed); }

    ui::Form1 main;
};

// The labels' font as the window was drawn: Tahoma, 9.75 points, bold.
inline QFont LabelFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

// The width in pixels that a text needs in the labels' font.
inline int LabelTextWidth(const QString& text) {
    return QFontMetrics(LabelFont()).horizontalAdvance(text);
}

// The diagram's ink against its white paper.
inline bool IsDark(QRgb pixel) {
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel) < 3 * 160;
}

inline bool IsNear(QRgb pixel, const QColor& colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

} // namespace schematic_test
