// The yardstick for the program's start-up: the plainest Qt Widgets program that shows any text,
// a window of the main window's size holding one QLabel in Qt's default font, on a QApplication
// left as Qt sets it up. startup_bench watches it from outside, as it watches the program: it
// measures nothing itself and does nothing a plain program would not do.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The main window's client area: 5055 x 3855 twips at 15 twips to the pixel.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vireldo 567"));
    window.setFixedSize(337, 257);
    auto* label = new QLabel(QStringLiteral("Fréquence centrale : 1748,252 Hz"), &window);
    label->move(8, 8);
    window.show();
    return QApplication::exec();
}
