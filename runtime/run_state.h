#pragma once

namespace runtime {

// Where the program's run stands: how many forms are loaded, whether events are being handled,
// whether a failure has ended it. The forms and the failure guard keep it up to date and the
// application reads it; it stands apart from the application so that none of them needs another.
class RunState {
public:
    RunState() = delete;

    static int LoadedForms();
    static void FormLoaded();
    // The program ends when its last loaded form is unloaded while events are being handled,
    // unless a failure has already ended it with its own status.
    static void FormUnloaded();

    // Set once a failure has ended the program (see failure.h).
    static bool Failed();
    static void SetFailed();

    // Set by the application around its event loop.
    static void SetHandlingEvents(bool handling);
};

} // namespace runtime
