#include "podpora/docasny_priecinok.h"

#include <fstream>
#include <iterator>

#include "platform/cesta.h"

namespace kasamat::test {

namespace fs = std::filesystem;

DocasnyPriecinok::~DocasnyPriecinok() { odstranStrom(cesta()); }

std::string DocasnyPriecinok::operator/(std::string_view meno) const
{
    return utf8ZCesty(cesta() / cestaZUtf8(meno));
}

void zapisSubor(const fs::path& cesta, const std::string& obsah)
{
    std::ofstream(cesta, std::ios::binary) << obsah;
}

std::string citajSubor(const fs::path& cesta)
{
    std::ifstream subor(cesta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(subor), {});
}

void zapisSubor(const std::string& cesta, const std::string& obsah) { zapisSubor(cestaZUtf8(cesta), obsah); }

std::string citajSubor(const std::string& cesta) { return citajSubor(cestaZUtf8(cesta)); }

bool rozlisujeVelkostPismen(const fs::path& priecinok)
{
    const fs::path male = priecinok / "velkost-pismen.tmp";
    zapisSubor(male, "");
    const bool rozlisuje = !fs::exists(priecinok / "VELKOST-PISMEN.TMP");
    fs::remove(male);
    return rozlisuje;
}

}  // namespace kasamat::test
