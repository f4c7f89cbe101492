#include "runtime/run_state.h"

#include <QCoreApplication>

namespace runtime {

namespace {

int loadedForms = 0;
bool handlingEvents = false;
bool failed = false;

} // namespace

int RunState::LoadedForms() {
    return loadedForms;
}

void RunState::FormLoaded() {
    ++loadedForms;
}

void RunState::FormUnloaded() {
    --loadedForms;
    if (loadedForms == 0 && handlingEvents && !failed) {
        QCoreApplication::exit(0);
    }
}

bool RunState::Failed() {
    return failed;
}

void RunState::SetFailed() {
    failed = true;
}

void RunState::SetHandlingEvents(bool handling) {
    handlingEvents = handling;
}

} // namespace runtime
