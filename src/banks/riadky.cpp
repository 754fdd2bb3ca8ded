#include "banks/riadky.h"

namespace kasamat {

Riadky rozdelNaRiadky(std::string_view obsah)
{
    Riadky riadky;
    std::size_t zaciatok = 0;
    while (zaciatok < obsah.size()) {
        const std::size_t koniec = obsah.find_first_of("\r\n", zaciatok);
        if (koniec == std::string_view::npos) {
            riadky.push_back(obsah.substr(zaciatok));
            break;
        }
        riadky.push_back(obsah.substr(zaciatok, koniec - zaciatok));
        zaciatok = koniec + 1;
        if (obsah[koniec] == '\r' && zaciatok < obsah.size() && obsah[zaciatok] == '\n') ++zaciatok;
    }
    return riadky;
}

int citajZaznam(const Riadky& riadky, std::size_t od, TestZaznamu test, std::string& zaznam,
                std::size_t& dalsi)
{
    zaznam.assign(riadky.at(od));
    int vysledok = test(zaznam);
    std::size_t posledny = od;
    while (vysledok == -1 && posledny + 1 < riadky.size()) {
        const std::string_view riadok = riadky[++posledny];
        zaznam += ' ';
        zaznam += riadok;
        // Without a double quote the appended line cannot close the open
        // field; testing only lines that hold one keeps long records linear.
        if (riadok.find('"') != std::string_view::npos) vysledok = test(zaznam);
    }
    dalsi = posledny + 1;
    return vysledok;
}

}  // namespace kasamat
