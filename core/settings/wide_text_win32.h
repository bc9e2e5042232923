// Texts stored as code page 932 bytes, shown through the wide Win32 calls so
// they read right whatever the system's code page.
#pragma once

#include <string>

std::wstring WideFromCp932(const std::string& text);
