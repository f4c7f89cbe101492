#include "runtime/failure.h"

#include "runtime/run_state.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace runtime {

namespace {

QString FailureMessage(const QString& what) {
    return QStringLiteral("Une erreur inattendue est survenue :\n%1\n\nLe programme va se fermer.")
        .arg(what);
}

void Report(const QString& what) noexcept {
    RunState::SetFailed();
    try {
        QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                        FailureMessage(what), QMessageBox::Ok);
        box.setObjectName(QStringLiteral("FailureMessage"));
        box.exec();
    } catch (...) {
        // The report itself failed; ending the program is all that is left.
    }
    QCoreApplication::exit(FailureExitStatus);
}

} // namespace

bool RunGuarded(const std::function<void()>& work) noexcept {
    if (RunState::Failed()) {
        return false; // the program is ending; nothing more runs
    }
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
    } catch (...) {
        Report(QStringLiteral("erreur inconnue"));
    }
    return false;
}

} // namespace runtime
