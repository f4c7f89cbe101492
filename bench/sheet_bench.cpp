// The build sheet: what « Enregistrer la fiche en PDF… » costs once the file is chosen, from the
// main window's values to the complete file renamed into place, and how large that file is. Runs on
// Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "runtime/application.h"
#include "ui/main/form1.h"
#include "ui/program.h"
#include "ui/sheet/sheet_output.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// The start-up design, as the main window gives it, written again and again over the same file.
void BM_SaveSheetPdf(benchmark::State& state) {
    ui::Form1 form;
    form.Show();
    QApplication::processEvents();
    const ui::DesignSheet sheet = form.Sheet();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fiche.pdf"));
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    // In Tahoma's own bold face, as the windows' entries write it.
    runtime::Application::AddBoldFonts();
    for (auto _ : state) {
        const QString failure = ui::WriteSheetPdf(sheet, path, a4);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toStdString().c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_SaveSheetPdf)->Unit(benchmark::kMillisecond);

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
