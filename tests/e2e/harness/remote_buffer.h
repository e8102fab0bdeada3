// Memory inside the process that owns a window, for messages that carry a pointer
// (list-view structures and their text buffers are not marshalled across processes).
#pragma once
#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBuffer {
public:
    RemoteBuffer(HWND ownerWindow, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The address as the other process sees it, at a byte offset.
    void* At(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

}  // namespace e2e
