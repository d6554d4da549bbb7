// How many handles the library's owners hold at this moment. A leak test
// repeats something (opening a dialog, restarting a level) many times and
// checks that these counts do not grow. Windows reports its own counts
// through GetGuiResources, but Wine does not implement it, so the owners
// count for themselves.
//
// Only what an owner holds is counted:
//   LiveGdiObjects   GdiObject (fonts, brushes, pens, bitmaps), MemoryDc,
//                    WindowDc and PaintDc (GdiObjects.h)
//   LiveUserObjects  UniqueIcon (UniqueIcon.h)
// The library makes every such handle through these owners; a handle that
// someone makes by hand and never gives to an owner is not seen. The counts
// are atomic: a second thread (a test driving a dialog) may make objects and
// read the counts too.
#pragma once

#include <atomic>

namespace corvane {

namespace detail {
inline std::atomic<int> liveGdiObjects{0};
inline std::atomic<int> liveUserObjects{0};
} // namespace detail

inline int LiveGdiObjects() {
    return detail::liveGdiObjects.load();
}

inline int LiveUserObjects() {
    return detail::liveUserObjects.load();
}

} // namespace corvane
