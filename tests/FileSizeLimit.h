// A disk that fills up during a write, played by the file size limit (POSIX
// only): `write` runs with files limited to `bytes`, and SIGXFSZ ignored so
// that a write past the limit fails rather than kills the test. Child
// processes inherit the limit.
#pragma once

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>

template <class Write> auto WithFileSizeLimit(rlim_t bytes, Write&& write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = bytes;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}
#endif
