#include <windows.h>

#include "core/frame/file_bytes.h"

MappedFile::~MappedFile() { Close(); }

void ForgetMappedBytes(ByteSpan passed) {
    // Unlocking pages that were never locked takes them out of the working
    // set; the mapping stays valid.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const uintptr_t page = system.dwPageSize;
    const uintptr_t begin = (uintptr_t(passed.data()) + page - 1) / page * page;
    const uintptr_t end = (uintptr_t(passed.data()) + passed.size()) / page * page;
    if (end > begin) VirtualUnlock(reinterpret_cast<void*>(begin), end - begin);
}

void MappedFile::Close() {
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    size_ = 0;
}

bool MappedFile::Open(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    // A 32-bit process cannot map more than it has address space for.
    if (!GetFileSizeEx(file, &length) || length.QuadPart > 0x7FFFFFFF) {
        CloseHandle(file);
        return false;
    }
    size_ = size_t(length.QuadPart);
    bool mapped = true;
    if (size_ > 0) {
        HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        view_ = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        if (mapping) CloseHandle(mapping);
        mapped = view_ != nullptr;
        if (!mapped) size_ = 0;
    }
    CloseHandle(file);
    return mapped;
}
