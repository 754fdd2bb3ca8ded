#pragma once
// The running program as its system gives it: its own folder, its command
// line in UTF-8, its console, and a private temporary folder.

#include <filesystem>
#include <string>
#include <vector>

namespace kasamat {

// The running executable's own file.
std::filesystem::path cestaProgramu();

// The folder of the running executable.
std::filesystem::path priecinokProgramu();

// Where the files that ship with the program lie (the template, the release
// notes, the remote-support tool): beside the executable in a build's or a
// Windows program folder, or the package's data folder of an installed
// program. Which one is fixed when the program is built.
std::filesystem::path priecinokSuborovProgramu();

// Where user.dat lies: beside the executable, as the program folder keeps
// it, or for an installed program the user's own data folder (made when
// missing), since the program's folder is not the user's to write.
std::filesystem::path priecinokNastaveni();

// The command line as UTF-8 texts, the program's name first. Windows hands
// main its arguments in the ANSI code page, which has no letter for many
// names; they are taken from the system's Unicode command line instead.
std::vector<std::string> argumentyProgramu(int argc, char** argv);

// Standard output and error carry UTF-8 bytes exactly as written, lines
// ending in LF on every system.
void pripravKonzolu();

// A new folder only this user may use, under the system's temporary folder,
// removed with its content at the end.
class DocasnyPriecinok {
public:
    DocasnyPriecinok();
    ~DocasnyPriecinok();
    DocasnyPriecinok(const DocasnyPriecinok&) = delete;
    DocasnyPriecinok& operator=(const DocasnyPriecinok&) = delete;

    const std::filesystem::path& cesta() const { return m_cesta; }

private:
    std::filesystem::path m_cesta;
};

}  // namespace kasamat
