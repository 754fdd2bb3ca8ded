#pragma once
// What a bank hands over from a file, collected as the batch would receive it.

#include <cstdint>
#include <string_view>
#include <vector>

#include "banks/banka.h"
#include "banks/riadky.h"

namespace kasamat::test {

struct Zbierka final : PrijemcaTransakcii {
    std::vector<Transakcia> transakcie;
    // The reading is stopped after this many transactions, as the batch stops it.
    std::size_t limit = SIZE_MAX;
    bool prijmi(const Transakcia& t) override
    {
        transakcie.push_back(t);
        return transakcie.size() < limit;
    }
};

struct Vysledok {
    bool platny = false;
    KlucSuboru kluc;
    HlavickaSuboru hlavicka;
    std::vector<Transakcia> transakcie;
};

// The reading with its file test, as the batch runs it.
inline Vysledok preved(const Banka& banka, std::string_view obsah, const NastaveniaKonverzie& nastavenia = {})
{
    const Riadky riadky = rozdelNaRiadky(obsah);
    Vysledok v;
    Zbierka zbierka;
    v.platny = banka.citaj(riadky, nastavenia, v.kluc, v.hlavicka, zbierka);
    v.transakcie = std::move(zbierka.transakcie);
    return v;
}

}  // namespace kasamat::test
