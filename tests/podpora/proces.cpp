#include "podpora/proces.h"

namespace kasamat::test {

namespace fs = std::filesystem;

void kopirujProgram(const fs::path& priecinok)
{
    for (const std::string& subor : {menoProgramuBehu, std::string("default.dat"), std::string("release.nfo"),
                                     std::string("TeamViewerQS_sk.exe")})
        fs::copy_file(fs::path(KASAMAT_BIN_DIR) / subor, priecinok / subor);
}

}  // namespace kasamat::test
