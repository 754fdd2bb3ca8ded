#include "podpora/docasny_priecinok.h"

#include <fstream>
#include <iterator>

namespace kasamat::test {

namespace fs = std::filesystem;

DocasnyPriecinok::~DocasnyPriecinok() { odstranStrom(cesta()); }

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
