// The movable memory blocks handed to the host. Windows: global memory, which
// the host frees with GlobalFree. Native: a block of ours of the same shape,
// shared inline with native hosts so that both sides agree on its layout.
#pragma once

#include <cstddef>

#ifdef _WIN32
#include <windows.h>
using BlockHandle = HGLOBAL;
inline BlockHandle AllocBlock(size_t size, bool zeroFill) {
    return GlobalAlloc(GMEM_MOVEABLE | (zeroFill ? GMEM_ZEROINIT : 0), size);
}
inline void* LockBlock(BlockHandle block) { return GlobalLock(block); }
inline void UnlockBlock(BlockHandle block) { GlobalUnlock(block); }
inline void FreeBlock(BlockHandle block) { GlobalFree(block); }
inline size_t BlockSize(BlockHandle block) { return GlobalSize(block); }
#else
#include <cstdlib>
#include <cstring>
using BlockHandle = void*;
struct NativeBlockHeader {
    size_t size;
    size_t padding;  // keeps the data 16-byte aligned
};
inline BlockHandle AllocBlock(size_t size, bool zeroFill) {
    void* block = zeroFill ? std::calloc(1, sizeof(NativeBlockHeader) + size)
                           : std::malloc(sizeof(NativeBlockHeader) + size);
    if (block) static_cast<NativeBlockHeader*>(block)->size = size;
    return block;
}
inline void* LockBlock(BlockHandle block) {
    return block ? static_cast<NativeBlockHeader*>(block) + 1 : nullptr;
}
inline void UnlockBlock(BlockHandle) {}
inline void FreeBlock(BlockHandle block) { std::free(block); }
inline size_t BlockSize(BlockHandle block) {
    return block ? static_cast<NativeBlockHeader*>(block)->size : 0;
}
#endif
