#pragma once
// The plug-in's edges: the calls the host and Windows make into it (exports, the class
// descriptor, the plug-in object, the action and notification callbacks, dialog procedures) and
// the entries of its threads. Nothing thrown below such an edge may cross it, so each runs its
// body through GuardedCall: whatever the body throws becomes one ERROR line in the pmx_data log
// and the value that tells that caller the call failed.

#include <exception>
#include <type_traits>
#include <utility>

// Writes "<where> stopped on an unexpected failure: <what>." at level "ERROR" to the pmx_data
// log; `what` may be null. A line that cannot be written is dropped.
void LogEscapedFailure(const char* where, const char* what) noexcept;

// Returns what `body` returns, or `failed` when it throws.
template <class Result, class Body>
Result GuardedCall(const char* where, Result failed, Body&& body) noexcept {
    static_assert(std::is_nothrow_copy_constructible_v<Result>);
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& error) {
        LogEscapedFailure(where, error.what());
    } catch (...) {
        LogEscapedFailure(where, nullptr);
    }
    return failed;
}

// For a body without a result: true when it ran to its end.
template <class Body>
bool GuardedCall(const char* where, Body&& body) noexcept {
    return GuardedCall(where, false, [&body] {
        std::forward<Body>(body)();
        return true;
    });
}
