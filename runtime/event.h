#pragma once

#include <functional>
#include <utility>

namespace runtime {

// One event of a control (Click, Change, Scroll, Load) with at most one handler, as a form
// connects it. Raise() runs the handler synchronously, nested in whatever raised it, and lets a
// failure travel back to that caller; RaiseFromUser() is the door through which Qt's user-input
// signals come in, and it is where a failure that no handler traps is stopped (see failure.h).
class Event {
public:
    void Connect(std::function<void()> handler) { handler_ = std::move(handler); }

    void Raise() const {
        // Runs from a copy, so that a handler may connect another one to this event meanwhile.
        if (handler_) {
            auto handler = handler_;
            handler();
        }
    }

    void RaiseFromUser() const;

private:
    std::function<void()> handler_;
};

} // namespace runtime
