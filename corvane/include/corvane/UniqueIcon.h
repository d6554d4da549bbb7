// UniqueIcon: an owned icon, destroyed with DestroyIcon. For icons that the
// program owns (LoadImage without LR_SHARED, CopyIcon, CreateIconIndirect),
// never for the shared ones of LoadIcon. Counted in LiveUserObjects.
#pragma once

#include <windows.h>

#include "corvane/LiveObjects.h"
#include "corvane/UniqueHandle.h"

struct IconTraits {
    using Handle = HICON;
    static void Close(HICON icon) { DestroyIcon(icon); }
    static void Count(int change) { corvane::detail::liveUserObjects += change; }
};

using UniqueIcon = UniqueHandle<IconTraits>;
