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
    bool IsConnected() const { return static_cast<bool>(handler_); }

    void Raise() const {
        // A handler may unload the form that owns this event, so it runs from a copy.
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
