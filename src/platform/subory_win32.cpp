// The batch's file work on Windows: the wide calls, so that every name is
// Unicode, with the same promises as on POSIX systems.

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/cesta.h"
#include "platform/dlha_cesta_win32.h"
#include "platform/subory.h"
#include "platform/system.h"

namespace kasamat {

namespace fs = std::filesystem;

namespace {

// An open handle, closed when it goes out of scope.
class Rukovat {
public:
    explicit Rukovat(HANDLE handle) : m_handle(handle) {}
    ~Rukovat()
    {
        if (platny()) CloseHandle(m_handle);
    }
    Rukovat(Rukovat&& iny) noexcept : m_handle(std::exchange(iny.m_handle, INVALID_HANDLE_VALUE)) {}
    Rukovat(const Rukovat&) = delete;
    Rukovat& operator=(const Rukovat&) = delete;

    HANDLE handle() const { return m_handle; }
    bool platny() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    bool zatvor() { return CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE m_handle;
};

// One call reads or writes at most this much.
constexpr std::size_t najviacNaRaz = std::size_t(1) << 30;

bool zapisVsetko(HANDLE subor, std::string_view cast)
{
    while (!cast.empty()) {
        DWORD zapisane = 0;
        const auto dlzka = DWORD(std::min(cast.size(), najviacNaRaz));
        if (!WriteFile(subor, cast.data(), dlzka, &zapisane, nullptr) || zapisane == 0) return false;
        cast.remove_prefix(zapisane);
    }
    return true;
}

// A regular file opened for reading; others may read, write and rename it
// meanwhile, as on POSIX systems.
Rukovat otvorNaCitanie(const fs::path& cesta)
{
    Rukovat subor(CreateFileW(system::dlhaCesta(cesta).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION udaje{};
    if (subor.platny() && GetFileType(subor.handle()) == FILE_TYPE_DISK
        && GetFileInformationByHandle(subor.handle(), &udaje)
        && !(udaje.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return subor;
    return Rukovat(INVALID_HANDLE_VALUE);
}

bool kopirujObsah(HANDLE zdroj, HANDLE ciel)
{
    char buffer[1 << 16];
    for (;;) {
        DWORD precitane = 0;
        if (!ReadFile(zdroj, buffer, sizeof buffer, &precitane, nullptr)) return false;
        if (precitane == 0) return true;
        if (!zapisVsetko(ciel, std::string_view(buffer, precitane))) return false;
    }
}

// A new file of a name no other file has, in `priecinok`, opened so that no
// one else can touch it: a later run cannot remove it while it is written.
Rukovat novyDocasnySubor(const fs::path& priecinok, fs::path& cesta)
{
    for (int pokus = 0; pokus < 100; ++pokus) {
        cesta = docasnaCesta(priecinok);
        Rukovat subor(CreateFileW(system::dlhaCesta(cesta).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (subor.platny() || GetLastError() != ERROR_FILE_EXISTS) return subor;
    }
    return Rukovat(INVALID_HANDLE_VALUE);
}

// The parts written into a new temporary file in `priecinok`, flushed to the disk.
bool zapisDocasny(const fs::path& priecinok, std::initializer_list<std::string_view> casti, fs::path& docasna,
                  HANDLE zdroj = INVALID_HANDLE_VALUE)
{
    Rukovat subor = novyDocasnySubor(priecinok, docasna);
    if (!subor.platny()) return false;
    bool hotovo = std::all_of(casti.begin(), casti.end(),
                              [&](std::string_view cast) { return zapisVsetko(subor.handle(), cast); });
    if (zdroj != INVALID_HANDLE_VALUE) hotovo = hotovo && kopirujObsah(zdroj, subor.handle());
    hotovo = hotovo && FlushFileBuffers(subor.handle());
    hotovo = subor.zatvor() && hotovo;
    if (!hotovo) DeleteFileW(system::dlhaCesta(docasna).c_str());
    return hotovo;
}

// Renames over a file of the target name; a read-only one is replaced too,
// as a rename replaces it on POSIX systems.
bool premenujNahradenim(const std::wstring& zdroj, const std::wstring& ciel)
{
    constexpr DWORD volby = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(zdroj.c_str(), ciel.c_str(), volby)) return true;
    const DWORD chyba = GetLastError();
    const DWORD atributy = GetFileAttributesW(ciel.c_str());
    if (chyba != ERROR_ACCESS_DENIED || atributy == INVALID_FILE_ATTRIBUTES
        || (atributy & FILE_ATTRIBUTE_DIRECTORY) || !(atributy & FILE_ATTRIBUTE_READONLY))
        return false;
    if (!SetFileAttributesW(ciel.c_str(), atributy & ~DWORD(FILE_ATTRIBUTE_READONLY))) return false;
    if (MoveFileExW(zdroj.c_str(), ciel.c_str(), volby)) return true;
    SetFileAttributesW(ciel.c_str(), atributy);
    return false;
}

// The copy is written under a temporary name and given the target name only
// when complete, so that a run killed while copying leaves no part of an
// export under the export's name, only a temporary file that a later run clears.
bool kopirujBezNahradenia(const fs::path& zdroj, const fs::path& ciel)
{
    fs::path docasna;
    {
        const Rukovat vstup = otvorNaCitanie(zdroj);
        if (!vstup.platny() || !zapisDocasny(ciel.parent_path(), {}, docasna, vstup.handle())) return false;
    }
    const std::wstring docasnaW = system::dlhaCesta(docasna);
    if (MoveFileExW(docasnaW.c_str(), system::dlhaCesta(ciel).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(docasnaW.c_str());
    return false;
}

DWORD atributy(const fs::path& cesta) { return GetFileAttributesW(system::dlhaCesta(cesta).c_str()); }

}  // namespace

bool system::polozkyPriecinka(const fs::path& priecinok, std::vector<std::string>& mena)
{
    std::wstring vzor = dlhaCesta(priecinok);
    if (!vzor.ends_with(L'\\')) vzor += L'\\';
    vzor += L'*';
    WIN32_FIND_DATAW polozka{};
    const HANDLE hladanie = FindFirstFileExW(vzor.c_str(), FindExInfoBasic, &polozka, FindExSearchNameMatch,
                                             nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (hladanie == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring_view meno = polozka.cFileName;
        if (meno != L"." && meno != L"..") mena.push_back(utf8ZCesty(fs::path(meno)));
    } while (FindNextFileW(hladanie, &polozka));
    FindClose(hladanie);
    return true;
}

long system::idProcesu() { return long(GetCurrentProcessId()); }

bool system::procesSkoncil(long id)
{
    Rukovat proces(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(id)));
    if (!proces.platny()) return GetLastError() == ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(proces.handle(), 0) == WAIT_OBJECT_0;
}

bool odstranSubor(const fs::path& cesta) { return DeleteFileW(system::dlhaCesta(cesta).c_str()) != 0; }

bool citajCelySubor(const fs::path& cesta, ObsahSuboru& obsah)
{
    obsah.nastavDlzku(0);
    const Rukovat subor = otvorNaCitanie(cesta);
    LARGE_INTEGER velkost{};
    if (!subor.platny() || !GetFileSizeEx(subor.handle(), &velkost)) return false;
    // Read as on POSIX systems: one byte of room beyond the size lets the
    // read that finds the end return nothing rather than need more room.
    char* data = obsah.miesto(std::size_t(velkost.QuadPart) + 1);
    std::size_t precitanych = 0;
    for (;;) {
        if (precitanych == obsah.kapacita()) data = obsah.miesto(2 * precitanych);
        const auto dlzka = DWORD(std::min(obsah.kapacita() - precitanych, najviacNaRaz));
        DWORD precitane = 0;
        if (!ReadFile(subor.handle(), data + precitanych, dlzka, &precitane, nullptr)) {
            obsah.nastavDlzku(0);
            return false;
        }
        if (precitane == 0) break;
        precitanych += precitane;
        obsah.nastavDlzku(precitanych);
    }
    return true;
}

bool zapisCelySubor(const fs::path& ciel, std::initializer_list<std::string_view> casti)
{
    fs::path docasna;
    if (!zapisDocasny(ciel.parent_path(), casti, docasna)) return false;
    const std::wstring docasnaW = system::dlhaCesta(docasna);
    if (premenujNahradenim(docasnaW, system::dlhaCesta(ciel))) return true;
    DeleteFileW(docasnaW.c_str());
    return false;
}

bool presunBezNahradenia(const fs::path& zdroj, const fs::path& ciel)
{
    const std::wstring zdrojW = system::dlhaCesta(zdroj), cielW = system::dlhaCesta(ciel);
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target name exists.
    if (MoveFileExW(zdrojW.c_str(), cielW.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    if (GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
    // Another volume: copy, then remove the source only after the copy is complete.
    if (!kopirujBezNahradenia(zdroj, ciel)) return false;
    if (DeleteFileW(zdrojW.c_str())) return true;
    DeleteFileW(cielW.c_str());
    return false;
}

bool jeSubor(const fs::path& cesta)
{
    const DWORD a = atributy(cesta);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool jePriecinok(const fs::path& cesta)
{
    const DWORD a = atributy(cesta);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace kasamat
