// One recalculation through the main window's widgets, on the state the window starts in: what a
// user's pick costs between the event and the new captions. Runs on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include "runtime/application.h"
#include "ui/main/form1.h"
#include "ui/program.h"
#include "ui/search/component_search_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// C1 values picked in turn: both give results, and each pick changes every caption.
constexpr int FirstC1 = 32;  // "22", the start-up value
constexpr int SecondC1 = 33; // "24"

void OpenWindow(ui::Form1& form) {
    form.Show();
    QApplication::processEvents();
}

// Unloading leaves the widgets to a deferred delete; the benchmark has no event loop to run it.
void CloseWindow(ui::Form1& form) {
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The recalculation as the "Calcul" button runs it: reads the seven boxes, computes, writes the
// four captions (unchanged here, as a second click on "Calcul" leaves them).
void BM_Form1Calcul(benchmark::State& state) {
    ui::Form1 form;
    OpenWindow(form);
    for (auto _ : state) {
        form.Calcul();
    }
    CloseWindow(form);
}
BENCHMARK(BM_Form1Calcul);

// The recalculation on inputs that changed since the last run, so that all four captions are
// rewritten. The C1 value is changed on the Qt combo box directly, which raises no event; that
// change is part of the measured time.
void BM_Form1CalculNewCaptions(benchmark::State& state) {
    ui::Form1 form;
    OpenWindow(form);
    QComboBox* comboC = form.ComboC->combo();
    bool second = false;
    for (auto _ : state) {
        second = !second;
        comboC->setCurrentIndex(second ? SecondC1 : FirstC1);
        form.Calcul();
    }
    CloseWindow(form);
}
BENCHMARK(BM_Form1CalculNewCaptions);

// A new C1 value assigned to ComboC: the Click event, its handler, Calcul, four new captions.
// The window is not repainted inside the loop.
void BM_Form1PickC1(benchmark::State& state) {
    ui::Form1 form;
    OpenWindow(form);
    bool second = false;
    for (auto _ : state) {
        second = !second;
        form.ComboC->SetListIndex(second ? SecondC1 : FirstC1);
    }
    CloseWindow(form);
}
BENCHMARK(BM_Form1PickC1);

// The same pick followed by what happens when control goes back to the event loop: the window
// repaints what changed (the value box and the four result labels).
void BM_Form1PickC1AndRepaint(benchmark::State& state) {
    ui::Form1 form;
    OpenWindow(form);
    bool second = false;
    for (auto _ : state) {
        second = !second;
        form.ComboC->SetListIndex(second ? SecondC1 : FirstC1);
        QApplication::processEvents();
    }
    CloseWindow(form);
}
BENCHMARK(BM_Form1PickC1AndRepaint);

// The user types "5" after "26" in the R1 value box and erases it: two keystrokes through the
// line edit, two Change events, two recalculations ("265" then "26" again).
void BM_Form1TypeAndEraseInR1(benchmark::State& state) {
    ui::Form1 form;
    OpenWindow(form);
    QLineEdit* edit = form.ComboR->combo()->lineEdit();
    edit->setFocus();
    edit->end(false);
    for (auto _ : state) {
        QTest::keyClick(edit, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    if (form.ComboR->Text() != QStringLiteral("26")) {
        state.SkipWithError("the keystrokes did not leave 26 in the box");
    }
    CloseWindow(form);
}
BENCHMARK(BM_Form1TypeAndEraseInR1);

// Counts the paint events of a widget: the proof that a change reached the screen.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

enum class Repaint { No, Yes };

// The component search window's whole answer to a key typed in the wanted frequency: the search,
// the table of pairs filled, its first row selected, the trimmer's R1 and the three C2 for it,
// and with Repaint::Yes what happens when control goes back to the event loop: the window
// repaints what changed, the table first, and hands the frame to the platform. The key replaces
// the last digit, so that the frequency alternates between 1000 and 1001 Hz, which both give
// rows.
void SearchAsTyped(benchmark::State& state, const char* tolerance, int range, Repaint repaint) {
    ui::Form1 form;
    OpenWindow(form);
    form.ShowComponentSearch();
    ui::ComponentSearchWindow& search = *form.SearchWindow();
    search.RangeBox()->SetListIndex(range);
    search.ToleranceEdit()->SetText(QString::fromLatin1(tolerance));
    search.HalfWidthEdit()->SetText(QStringLiteral("50"));
    search.FrequencyEdit()->SetText(QStringLiteral("1000"));
    QLineEdit* edit = search.FrequencyEdit()->edit();
    edit->setFocus();
    QApplication::processEvents();
    const PaintCount tablePaints(search.PairsTable()->tree()->viewport());
    bool second = false;
    for (auto _ : state) {
        second = !second;
        edit->setSelection(3, 1);
        QTest::keyClick(edit, second ? Qt::Key_1 : Qt::Key_0);
        if (repaint == Repaint::Yes) {
            QApplication::processEvents();
        }
    }
    state.counters["rows"] = search.PairsTable()->ListCount();
    if (search.C2Table()->ListCount() != 3) {
        state.SkipWithError("no C2 for the first pair");
    }
    if (repaint == Repaint::Yes && tablePaints.count < state.iterations()) {
        state.SkipWithError("the table was not repainted after every key");
    }
    search.Unload();
    CloseWindow(form);
}

// 1000 Hz at 2 %, R1 from 2 to 20 kΩ: about fifteen rows.
void BM_SearchWindowAdvised(benchmark::State& state) {
    SearchAsTyped(state, "2", 0, Repaint::No);
}
BENCHMARK(BM_SearchWindowAdvised)->Unit(benchmark::kMicrosecond);

void BM_SearchWindowKeyToScreenAdvised(benchmark::State& state) {
    SearchAsTyped(state, "2", 0, Repaint::Yes);
}
BENCHMARK(BM_SearchWindowKeyToScreenAdvised)->Unit(benchmark::kMicrosecond);

// Every pair of the lists at 100 %: the largest table a user can ask for, 17 519 rows.
void BM_SearchWindowEveryValueAtHundredPercent(benchmark::State& state) {
    SearchAsTyped(state, "100", 1, Repaint::No);
}
BENCHMARK(BM_SearchWindowEveryValueAtHundredPercent)->Unit(benchmark::kMillisecond);

void BM_SearchWindowKeyToScreenEveryValueAtHundredPercent(benchmark::State& state) {
    SearchAsTyped(state, "100", 1, Repaint::Yes);
}
BENCHMARK(BM_SearchWindowKeyToScreenEveryValueAtHundredPercent)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    benchmark::Initialize(&argc, argv);
    runtime::Application application(argc, argv, ui::Program());
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
