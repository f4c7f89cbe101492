#pragma once

#include <functional>

namespace runtime {

// Runs work that Qt's event loop started. A failure (any C++ exception) that escapes it never
// goes back into Qt: it is reported to the user in a French message box and the program ends with
// a non-zero status (RunState::Failed() then holds). Returns false when the work failed.
bool RunGuarded(const std::function<void()>& work) noexcept;

// Exit status of a program that ended on a failure.
inline constexpr int FailureExitStatus = 1;

} // namespace runtime
