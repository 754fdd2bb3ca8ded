// The running program on POSIX systems.

#include <stdlib.h>

#include <cerrno>
#include <system_error>

#include "platform/program.h"

namespace kasamat {

namespace fs = std::filesystem;

fs::path cestaProgramu() { return fs::read_symlink("/proc/self/exe"); }

std::vector<std::string> argumentyProgramu(int argc, char** argv) { return {argv, argv + argc}; }

void pripravKonzolu() {}

DocasnyPriecinok::DocasnyPriecinok()
{
    std::string vzor = (fs::temp_directory_path() / "kasamat-XXXXXX").string();
    if (!::mkdtemp(vzor.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_cesta = vzor;
}

}  // namespace kasamat
