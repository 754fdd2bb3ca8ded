#pragma once
// Paths are UTF-8 texts in the window, the settings database and the run log;
// the file system gets them as native paths, joined with its own separator.
// On Windows a path is UTF-16, so going through u8string loses no letter;
// a path made from a narrow text would go through the ANSI code page instead.

#include <filesystem>
#include <string>
#include <string_view>

namespace kasamat {

inline std::filesystem::path cestaZUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8ZCesty(const std::filesystem::path& cesta)
{
    const std::u8string text = cesta.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace kasamat
