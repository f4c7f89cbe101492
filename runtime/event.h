#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace runtime {

// One event of a control (Click, Change, Scroll, Load). Its handlers run in the order they were
// connected (the form connects its own first), synchronously, nested in whatever raised the
// event, and a failure travels back to that caller; RaiseFromUser() is the door through which
// Qt's user-input signals come in, and it is where a failure that no handler traps is stopped
// (see failure.h).
class Event {
public:
    void Connect(std::function<void()> handler) { handlers_.push_back(std::move(handler)); }
    // A routine of a window answers the event, as Qt's own connect() ties a signal to a slot.
    template <typename Window> void Connect(Window* window, void (Window::*routine)()) {
        Connect([window, routine] { (window->*routine)(); });
    }

    void Raise() const {
        // Runs from a copy, so that a handler may connect another one to this event meanwhile.
        const auto handlers = handlers_;
        for (const auto& handler : handlers) {
            handler();
        }
    }

    void RaiseFromUser() const;

private:
    std::vector<std::function<void()>> handlers_;
};

} // namespace runtime
