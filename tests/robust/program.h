#pragma once
// A program folder of kasamat-batch's own, whose user.dat holds one task
// converting Tatra banka TXT exports daily, and what its runs leave behind.

#include <sstream>

#include "podpora/proces.h"
#include "podpora/subor_nastaveni.h"
#include "vystavba.h"

namespace kasamat::test {

// kasamat-batch's program folder whose user.dat's first task converts Tatra
// banka TXT exports daily.
class ProgramovyPriecinok : public PriecinokProgramuBehu {
public:
    ProgramovyPriecinok()
    {
        spustiBeh();
        const Uloha tatra{0, "úloha", utf8ZCesty(vstup()), utf8ZCesty(vystup()), 0, "2628765432", 1, 1,
                          0, ""};
        Databaza databaza;
        EXPECT_TRUE(databaza.otvor(utf8ZCesty(userDat())) && zapisUlohy(databaza, {tatra}, 0));
    }

    // The task's stored next number; -1 when user.dat does not open or read.
    long long cisloVypisu() const
    {
        Databaza databaza;
        if (!databaza.otvor(utf8ZCesty(userDat()))
            || databaza.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;") != 1)
            return -1;
        return databaza.cislo(0, "CisloVypisu");
    }
};

inline std::size_t pocetVypisov(const fs::path& priecinok)
{
    std::size_t pocet = 0;
    for (const std::string& meno : menaVPriecinku(priecinok)) pocet += meno.ends_with(".clr");
    return pocet;
}

// The number each statement file carries in its ZV: record.
inline std::set<int> cislaVypisov(const fs::path& priecinok)
{
    std::set<int> cisla;
    for (const std::string& meno : menaVPriecinku(priecinok)) {
        if (!meno.ends_with(".clr")) continue;
        const std::string obsah = citajSubor(priecinok / cestaZUtf8(meno));
        const std::size_t zv = obsah.find("\r\nZV:");
        const auto slova = obsah.substr(zv + 5, obsah.find('\r', zv + 2) - zv - 5);
        // "ZV:EUR 1100 0 yyyymmdd <number> 1 ..."
        std::istringstream text(slova);
        std::string mena, kod, nula, datum;
        int cislo = 0;
        text >> mena >> kod >> nula >> datum >> cislo;
        EXPECT_TRUE(cisla.insert(cislo).second) << "number " << cislo << " written twice, last in " << meno;
    }
    return cisla;
}

}  // namespace kasamat::test
