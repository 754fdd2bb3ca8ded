#include "platform/dlha_cesta_win32.h"

#include <windows.h>

namespace kasamat::system {

std::wstring dlhaCesta(const std::filesystem::path& cesta)
{
    const std::wstring text = cesta.wstring();
    // Already prefixed, or a device such as \\.\pipe.
    if (text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\")) return text;
    const DWORD potrebne = GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
    if (potrebne == 0) return text;
    std::wstring plna(potrebne, L'\0');
    const DWORD dlzka = GetFullPathNameW(text.c_str(), potrebne, plna.data(), nullptr);
    if (dlzka == 0 || dlzka >= potrebne) return text;
    plna.resize(dlzka);
    if (plna.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + plna.substr(2);
    return L"\\\\?\\" + plna;
}

}  // namespace kasamat::system
