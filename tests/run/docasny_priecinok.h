#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends; and small helpers for the files in it.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace kasamat::test {

class DocasnyPriecinok {
public:
    DocasnyPriecinok()
    {
        static std::atomic<int> pocitadlo{0};
        m_cesta = std::filesystem::temp_directory_path()
                / ("kasamat-test-" + std::to_string(::getpid()) + "-" + std::to_string(pocitadlo++));
        std::filesystem::remove_all(m_cesta);
        std::filesystem::create_directories(m_cesta);
    }
    ~DocasnyPriecinok()
    {
        std::error_code chyba;
        // A test may leave a folder read-only.
        for (auto it = std::filesystem::recursive_directory_iterator(m_cesta, chyba);
             it != std::filesystem::recursive_directory_iterator(); it.increment(chyba))
            if (it->is_directory(chyba)) std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                                                       std::filesystem::perm_options::add, chyba);
        std::filesystem::remove_all(m_cesta, chyba);
    }
    DocasnyPriecinok(const DocasnyPriecinok&) = delete;
    DocasnyPriecinok& operator=(const DocasnyPriecinok&) = delete;

    const std::filesystem::path& cesta() const { return m_cesta; }

private:
    std::filesystem::path m_cesta;
};

inline void zapisSubor(const std::filesystem::path& cesta, const std::string& obsah)
{
    std::ofstream(cesta, std::ios::binary) << obsah;
}

inline std::string citajSubor(const std::filesystem::path& cesta)
{
    std::ifstream subor(cesta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(subor), {});
}

}  // namespace kasamat::test
