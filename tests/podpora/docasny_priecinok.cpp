#include "podpora/docasny_priecinok.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kasamat::test {

namespace fs = std::filesystem;

DocasnyPriecinok::DocasnyPriecinok()
{
    std::random_device nahoda;
    for (int pokus = 0; pokus < 100; ++pokus) {
        m_cesta = fs::temp_directory_path() / ("kasamat-test-" + std::to_string(nahoda()));
        if (fs::create_directory(m_cesta)) return;
    }
    throw std::runtime_error("no temporary folder");
}

DocasnyPriecinok::~DocasnyPriecinok() { odstranStrom(m_cesta); }

void zapisSubor(const fs::path& cesta, const std::string& obsah)
{
    std::ofstream(cesta, std::ios::binary) << obsah;
}

std::string citajSubor(const fs::path& cesta)
{
    std::ifstream subor(cesta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(subor), {});
}

bool rozlisujeVelkostPismen(const fs::path& priecinok)
{
    const fs::path male = priecinok / "velkost-pismen.tmp";
    zapisSubor(male, "");
    const bool rozlisuje = !fs::exists(priecinok / "VELKOST-PISMEN.TMP");
    fs::remove(male);
    return rozlisuje;
}

}  // namespace kasamat::test
