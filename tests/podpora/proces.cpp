#include "podpora/proces.h"

#include "platform/cesta.h"

namespace kasamat::test {

namespace fs = std::filesystem;

void kopirujSuboryAplikacie(const fs::path& priecinok)
{
    for (const char* subor : {"default.dat", "release.nfo", "TeamViewerQS_sk.exe"})
        fs::copy_file(fs::path(KASAMAT_BIN_DIR) / subor, priecinok / subor);
}

void kopirujProgram(const fs::path& priecinok)
{
    kopirujSuboryAplikacie(priecinok);
    fs::copy_file(programBehu(), priecinok / menoProgramuBehu);
}

PriecinokProgramuBehu::PriecinokProgramuBehu()
{
    kopirujProgram(koren());
    fs::create_directory(vstup());
    fs::create_directory(vystup());
}

fs::path PriecinokProgramuBehu::vystup() const { return koren() / cestaZUtf8("výstup"); }

}  // namespace kasamat::test
