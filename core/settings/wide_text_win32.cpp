#include "core/settings/wide_text_win32.h"

#include <windows.h>

std::wstring WideFromCp932(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(932, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(932, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}
