// Owners for COM: the library's use of COM for this thread, and interface
// pointers that are released when they go out of scope.
#pragma once

#include <objbase.h>

// COM for this thread for as long as the object lives.
class ComScope {
public:
    ComScope() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result)) {
            CoUninitialize();
        }
    }

private:
    HRESULT result;
};

// An owned COM interface pointer.
template <typename T> class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer) {
            pointer->Release();
        }
    }
    T** operator&() { return &pointer; }
    T* operator->() const { return pointer; }
    T* Get() const { return pointer; }

private:
    T* pointer = nullptr;
};
