#pragma once
// What each operating system's part gives the file work shared by both: the
// few calls that differ between POSIX and Windows, below the batch's own.

#include <filesystem>
#include <string>
#include <vector>

namespace kasamat::system {

// The names (UTF-8) of the entries of the folder, "." and ".." left out;
// false when it cannot be listed.
bool polozkyPriecinka(const std::filesystem::path& priecinok, std::vector<std::string>& mena);

long idProcesu();

// True only when no process of the id runs any more; a process that cannot
// be asked about counts as running.
bool procesSkoncil(long id);

}  // namespace kasamat::system
