// The file systems of a Windows test machine: under Wine, drive Z: is the
// machine's root, whose /dev/shm is a memory file system of its own.

#include <windows.h>

#include <algorithm>

#include "platform/cesta.h"

#include "podpora/docasny_priecinok.h"

namespace kasamat::test {

namespace fs = std::filesystem;

namespace {

std::wstring zvazok(const fs::path& cesta)
{
    wchar_t koren[MAX_PATH] = {};
    return GetVolumePathNameW(cesta.c_str(), koren, MAX_PATH) ? std::wstring(koren) : std::wstring();
}

}  // namespace

std::vector<std::string> menaVPriecinku(const fs::path& priecinok)
{
    std::wstring vzor = L"\\\\?\\" + fs::absolute(priecinok).make_preferred().wstring() + L"\\*";
    std::vector<std::string> mena;
    WIN32_FIND_DATAW polozka{};
    const HANDLE hladanie = FindFirstFileW(vzor.c_str(), &polozka);
    if (hladanie == INVALID_HANDLE_VALUE) return mena;
    do {
        const std::wstring_view meno = polozka.cFileName;
        if (meno != L"." && meno != L"..") mena.push_back(utf8ZCesty(fs::path(meno)));
    } while (FindNextFileW(hladanie, &polozka));
    FindClose(hladanie);
    std::sort(mena.begin(), mena.end());
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
