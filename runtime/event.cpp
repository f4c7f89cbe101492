#include "runtime/event.h"

#include "runtime/failure.h"

namespace runtime {

void Event::RaiseFromUser() const {
    RunGuarded([this] { Raise(); });
}

} // namespace runtime
