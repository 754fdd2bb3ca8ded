#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends; and small helpers for the files in it. Names
// given as UTF-8 texts go through cestaZUtf8, never straight into a path: on
// Windows a narrow text would be read in the ANSI code page.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "platform/program.h"

namespace kasamat::test {

// The program's own temporary folder, removed at the end with whatever a
// test left in it, read-only entries and paths longer than 260 characters
// included.
class DocasnyPriecinok : public kasamat::DocasnyPriecinok {
public:
    ~DocasnyPriecinok();
    // The UTF-8 path of a file in the folder, as the store and the settings take paths.
    std::string operator/(std::string_view meno) const;
};

void zapisSubor(const std::filesystem::path& cesta, const std::string& obsah);
std::string citajSubor(const std::filesystem::path& cesta);
// The same for a path given as a UTF-8 text, as the store and the settings take paths.
void zapisSubor(const std::string& cesta, const std::string& obsah);
std::string citajSubor(const std::string& cesta);

// The names (UTF-8) in the folder; none when it cannot be listed. On Windows
// also under a path longer than 260 characters, which the standard library's
// listing there does not reach.
std::set<std::string> menaVPriecinku(const std::filesystem::path& priecinok);

// True when the file system keeps two names that differ only in letter case
// apart, as Linux does and Windows does not.
bool rozlisujeVelkostPismen(const std::filesystem::path& priecinok);

// Removes the folder with everything in it, read-only files and folders and
// paths longer than 260 characters included.
void odstranStrom(const std::filesystem::path& priecinok);

// A folder on another file system than the temporary folder, where a move
// has to copy; the empty path when there is none.
std::filesystem::path priecinokInehoSystemu();

// Makes a named pipe at the path; false where the system has none in its
// folders (Windows), and the caller leaves that case out.
bool vytvorRuru(const std::filesystem::path& cesta);

}  // namespace kasamat::test
