#pragma once
// Paths as the wide Windows calls take them.

#include <filesystem>
#include <string>

namespace kasamat::system {

// The absolute path with the \\?\ prefix, so that a path longer than 260
// characters works on every Windows, whatever its long-path setting.
std::wstring dlhaCesta(const std::filesystem::path& cesta);

}  // namespace kasamat::system
