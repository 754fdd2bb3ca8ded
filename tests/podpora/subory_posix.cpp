// The file systems of a POSIX test machine.

#include <sys/stat.h>

#include "podpora/docasny_priecinok.h"

namespace kasamat::test {

namespace fs = std::filesystem;

bool vytvorRuru(const fs::path& cesta) { return ::mkfifo(cesta.c_str(), 0600) == 0; }

void odstranStrom(const fs::path& priecinok)
{
    std::error_code chyba;
    // A test may leave a folder read-only.
    for (auto it = fs::recursive_directory_iterator(priecinok, chyba);
         it != fs::recursive_directory_iterator(); it.increment(chyba))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, chyba);
    fs::remove_all(priecinok, chyba);
}

std::set<std::string> menaVPriecinku(const fs::path& priecinok)
{
    std::set<std::string> mena;
    std::error_code chyba;
    for (fs::directory_iterator it(priecinok, chyba), koniec; !chyba && it != koniec; it.increment(chyba))
        mena.insert(it->path().filename().string());
    return mena;
}

fs::path priecinokInehoSystemu()
{
    const fs::path pamat = "/dev/shm";
    struct stat a {
    }, b{};
    if (::stat(pamat.c_str(), &a) != 0 || ::stat(fs::temp_directory_path().c_str(), &b) != 0
        || a.st_dev == b.st_dev)
        return {};
    return pamat;
}

}  // namespace kasamat::test
