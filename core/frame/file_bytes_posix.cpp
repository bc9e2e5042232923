#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/frame/file_bytes.h"

MappedFile::~MappedFile() { Close(); }

void ForgetMappedBytes(ByteSpan passed) {
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (uintptr_t(passed.data()) + page - 1) / page * page;
    const uintptr_t end = (uintptr_t(passed.data()) + passed.size()) / page * page;
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

void MappedFile::Close() {
    if (view_) munmap(view_, size_);
    view_ = nullptr;
    size_ = 0;
}

bool MappedFile::Open(const char* path) {
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return false;
    }
    size_ = size_t(status.st_size);
    if (size_ > 0) {
        void* view = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, descriptor, 0);
        if (view == MAP_FAILED) {
            size_ = 0;
            close(descriptor);
            return false;
        }
        madvise(view, size_, MADV_SEQUENTIAL);
        view_ = view;
    }
    close(descriptor);
    return true;
}
