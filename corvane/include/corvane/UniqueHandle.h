// UniqueHandle: the one owner of a system handle. The handle is closed when
// the owner goes or is given another one; the owner can be moved, not copied.
// `Traits` says what the handle is, how it is closed and which count of live
// objects (LiveObjects.h) it belongs to:
//   struct Traits {
//       using Handle = HICON;
//       static void Close(Handle handle);  // DestroyIcon, DeleteObject, ...
//       static void Count(int change);     // +1 when held, -1 when let go
//   };
#pragma once

#include <utility>

template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) { Reset(handle); }
    // A move hands the handle over: the count stays as it is.
    UniqueHandle(UniqueHandle&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            object = std::exchange(other.object, nullptr);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    // Gives the handle up without closing it; the caller closes it.
    Handle Release() {
        if (object)
            Traits::Count(-1);
        return std::exchange(object, nullptr);
    }
    // Closes the handle held, if any, and takes `handle` (may be null).
    void Reset(Handle handle = nullptr) {
        if (object) {
            Traits::Close(object);
            Traits::Count(-1);
        }
        object = handle;
        if (object)
            Traits::Count(+1);
    }

private:
    Handle object = nullptr;
};
