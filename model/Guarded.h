// Runs an operation's body so that no exception leaves it: an exception is
// reported through OnException with the operation's signature, and the
// operation returns its empty result (false for a bool, nothing for void).
#pragma once

#include <type_traits>

#include "corvane/OnException.h"

template <typename Body>
auto RunGuarded(const char* source, int line, const char* signature, const char* timeStamp,
                Body&& body) noexcept -> decltype(body()) {
    using Result = decltype(body());
    try {
        return body();
    } catch (...) {
        OnException(source, line, signature, timeStamp);
    }
    if constexpr (!std::is_void_v<Result>) {
        return Result{};
    }
}

// The body of a member operation of the game: NEREKU_GUARDED([&] { ... }).
// Variadic, since a lambda's braced lists hold commas the preprocessor sees.
#define NEREKU_GUARDED(...)                                                                        \
    RunGuarded("CNerekuSudoku", __LINE__, CORVANE_FUNCSIG, __TIMESTAMP__, __VA_ARGS__)
