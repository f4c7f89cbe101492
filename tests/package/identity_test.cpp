// What the program tells the desktop and the user about itself, once the application is prepared
// as main() prepares it (gui_test_main starts the application as main() does).
#include "qstring_printer.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace package_test {
namespace {

TEST(ApplicationIdentity, VersionIsTheProgramsVersion) {
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("1.00.0015"));
}

TEST(ApplicationIdentity, NameIsTheProgramsName) {
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Vireldo 567"));
}

TEST(ApplicationIdentity, DesktopFileNameIsTheInstalledEntrysName) {
    // The desktop matches the windows to share/applications/vireldo567.desktop by this name.
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("vireldo567"));
}

struct ButtonCase {
    const char* name;
    QMessageBox::StandardButton button;
    const char* french;
};

void PrintTo(const ButtonCase& row, std::ostream* out) {
    *out << row.name;
}

class FrenchStandardButtons : public testing::TestWithParam<ButtonCase> {};

// The buttons of a message box, as the user reads them (without the mnemonic's "&").
TEST_P(FrenchStandardButtons, ShowFrenchText) {
    const ButtonCase& row = GetParam();
    QMessageBox box;
    box.setStandardButtons(row.button);
    const QAbstractButton* button = box.button(row.button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().remove(QLatin1Char('&')), QString::fromUtf8(row.french));
}

INSTANTIATE_TEST_SUITE_P(MessageBox, FrenchStandardButtons,
                         testing::Values(ButtonCase{"Cancel", QMessageBox::Cancel, "Annuler"},
                                         ButtonCase{"Yes", QMessageBox::Yes, "Oui"},
                                         ButtonCase{"No", QMessageBox::No, "Non"},
                                         ButtonCase{"Close", QMessageBox::Close, "Fermer"},
                                         ButtonCase{"Save", QMessageBox::Save, "Enregistrer"},
                                         ButtonCase{"Abort", QMessageBox::Abort, "Abandonner"},
                                         ButtonCase{"Retry", QMessageBox::Retry, "Réessayer"},
                                         ButtonCase{"Ignore", QMessageBox::Ignore, "Ignorer"},
                                         ButtonCase{"Help", QMessageBox::Help, "Aide"}),
                         [](const testing::TestParamInfo<ButtonCase>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
} // namespace package_test
