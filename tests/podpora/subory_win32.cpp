// The file systems of a Windows test machine: paths longer than 260
// characters through the system's own calls, which the standard library's
// do not reach there; under Wine, drive Z: is the machine's root, whose
// /dev/shm is a memory file system of its own.

#include <windows.h>

#include <vector>

#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"

namespace kasamat::test {

namespace fs = std::filesystem;

namespace {

std::wstring dlha(const fs::path& cesta)
{
    return L"\\\\?\\" + fs::absolute(cesta).make_preferred().wstring();
}

// The entries of a folder given as a \\?\ path.
std::vector<WIN32_FIND_DATAW> polozky(const std::wstring& priecinok)
{
    std::vector<WIN32_FIND_DATAW> vysledok;
    WIN32_FIND_DATAW polozka{};
    const HANDLE hladanie = FindFirstFileW((priecinok + L"\\*").c_str(), &polozka);
    if (hladanie == INVALID_HANDLE_VALUE) return vysledok;
    do {
        const std::wstring_view meno = polozka.cFileName;
        if (meno != L"." && meno != L"..") vysledok.push_back(polozka);
    } while (FindNextFileW(hladanie, &polozka));
    FindClose(hladanie);
    return vysledok;
}

void odstranVsetko(const std::wstring& priecinok)
{
    for (const WIN32_FIND_DATAW& polozka : polozky(priecinok)) {
        const std::wstring cesta = priecinok + L"\\" + polozka.cFileName;
        SetFileAttributesW(cesta.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (polozka.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            odstranVsetko(cesta);
        } else {
            DeleteFileW(cesta.c_str());
        }
    }
    RemoveDirectoryW(priecinok.c_str());
}

std::wstring zvazok(const fs::path& cesta)
{
    wchar_t koren[MAX_PATH] = {};
    return GetVolumePathNameW(cesta.c_str(), koren, MAX_PATH) ? std::wstring(koren) : std::wstring();
}

}  // namespace

void odstranStrom(const fs::path& priecinok) { odstranVsetko(dlha(priecinok)); }

std::set<std::string> menaVPriecinku(const fs::path& priecinok)
{
    std::set<std::string> mena;
    for (const WIN32_FIND_DATAW& polozka : polozky(dlha(priecinok)))
        mena.insert(utf8ZCesty(fs::path(polozka.cFileName)));
    return mena;
}

// Windows keeps its pipes outside the file system's folders.
bool vytvorRuru(const fs::path&) { return false; }

fs::path priecinokInehoSystemu()
{
    const fs::path pamat = L"Z:\\dev\\shm";
    std::error_code chyba;
    if (!fs::is_directory(pamat, chyba) || zvazok(pamat) == zvazok(fs::temp_directory_path())) return {};
    return pamat;
}

}  // namespace kasamat::test
