// A program whose sheet module is missing (a damaged installation): every way to the build sheet
// ends in a message box that says, in French, that there will be no sheet and why; the program
// neither crashes nor keeps silent, and keeps running.
#include "gui_helpers.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using testing_support::FocusOn;

struct Way {
    const char* name;
    bool fromSchematic;
    const char* entry; // picked from the context menu; none for the keys
    QKeyCombination keys;
};

class MissingModule : public ::testing::TestWithParam<Way> {
public:
    void SetUp() override {
        main.Show();
        QApplication::setActiveWindow(main.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.window()));
    }
    void TearDown() override {
        main.Unload();
        if (ui::Form2* schematic = main.SchematicWindow()) {
            schematic->Unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ui::Form1 main;
};

TEST_P(MissingModule, IsToldInFrenchWithWhereItWasLookedFor) {
    const Way& way = GetParam();
    QWidget* from = way.entry != nullptr ? main.Label1->widget() : main.ComboR->combo();
    if (way.fromSchematic) {
        QTest::mouseClick(main.Command3->widget(), Qt::LeftButton);
        ASSERT_NE(main.SchematicWindow(), nullptr);
        from = main.SchematicWindow()->Image1->widget();
    }

    QString told;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            told = box->text() + QLatin1Char(' ') + box->informativeText();
            box->button(QMessageBox::Ok)->click();
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            poll.stop();
            told = QStringLiteral("a dialog other than a message box: ") +
                   QString::fromLatin1(other->metaObject()->className());
            other->close();
        }
    });
    poll.start(20);
    FocusOn(from);
    if (way.entry != nullptr) {
        EXPECT_TRUE(testing_support::PickFromContextMenu(from, QString::fromUtf8(way.entry)));
    } else {
        QTest::keyClick(from, way.keys.key(), way.keys.keyboardModifiers());
    }
    poll.stop();

    ASSERT_FALSE(told.isEmpty()) << "no message";
    EXPECT_TRUE(told.startsWith(QStringLiteral("La fiche de montage ne peut pas être faite.")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(
        QStringLiteral("Le module qui dessine et imprime la fiche, « libvireldo_sheet.so », est "
                       "introuvable")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("« ") + QCoreApplication::applicationDirPath() +
                              QStringLiteral(" »")))
        << told.toStdString();
    EXPECT_TRUE(main.IsLoaded());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MissingModule,
    ::testing::Values(Way{"MainWindowPrintKeys", false, nullptr, Qt::CTRL | Qt::Key_P},
                      Way{"MainWindowSaveMenu", false, "Enregistrer la fiche en PDF…", {}},
                      Way{"SchematicWindowSaveKeys", true, nullptr,
                          Qt::CTRL | Qt::SHIFT | Qt::Key_S},
                      Way{"SchematicWindowPrintMenu", true, "Fiche de montage…", {}}),
    [](const ::testing::TestParamInfo<Way>& row) { return std::string(row.param.name); });

} // namespace
