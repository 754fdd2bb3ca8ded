#include "podpora/testovacia_banka.h"

#include <algorithm>
#include <cstdlib>

#include "banks/riadky.h"

namespace kasamat::test {

namespace {

int zmenaCitania = 0;
ZmenaSuboru druhZmeny = ZmenaSuboru::NeCitaSa;
int pocetCitani = 0;

bool cislice(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool jeTransakcia(std::string_view riadok)
{
    // The date's separators are "." or "/", as a bank may write either.
    return riadok.size() >= 14 && (riadok[2] == '.' || riadok[2] == '/') && riadok[5] == riadok[2]
        && riadok[10] == ';' && cislice(riadok.substr(0, 2)) && cislice(riadok.substr(3, 2))
        && cislice(riadok.substr(6, 4)) && (riadok.ends_with(";D") || riadok.ends_with(";K"))
        && cislice(riadok.substr(11, riadok.size() - 13));
}

std::string datum(std::string_view riadok)
{
    return std::string(riadok.substr(6, 4)) + std::string(riadok.substr(3, 2))
        + std::string(riadok.substr(0, 2));
}

std::size_t prvaTransakcia(const Riadky& riadky)
{
    return !riadky.empty() && riadky[0].starts_with("PS;") ? 1 : 0;
}

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    const std::size_t od = prvaTransakcia(riadky);
    if (od == 1 && !cislice(riadky[0].substr(3))) return false;
    for (std::size_t i = od; i < riadky.size(); ++i)
        if (!jeTransakcia(riadky[i])) return false;
    if (od == riadky.size()) {
        kluc = {"00000000", '<'};
        return true;
    }
    const std::string prvy = datum(riadky[od]);
    const std::string posledny = datum(riadky.back());
    kluc = {std::max(prvy, posledny), prvy > posledny ? '>' : '<'};
    return true;
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie&, KlucSuboru& kluc, HlavickaSuboru& hlavicka,
           PrijemcaTransakcii& prijemca)
{
    const bool zmeneny = ++pocetCitani == zmenaCitania;
    if (!test(riadky, kluc)) return false;
    const std::size_t od = prvaTransakcia(riadky);
    if (od == 1) hlavicka.pociatocnyZostatok = std::atoll(std::string(riadky[0].substr(3)).c_str());
    std::vector<std::string_view> poradie(riadky.begin() + std::ptrdiff_t(od), riadky.end());
    if (kluc.oddelovac == '>') std::reverse(poradie.begin(), poradie.end());
    for (const std::string_view riadok : poradie) {
        Transakcia t;
        t.rezDatum = riadok.substr(0, 10);
        t.datum = datum(riadok);
        t.sumaText = riadok.substr(11, riadok.size() - 13);
        if (zmeneny && druhZmeny == ZmenaSuboru::InaSuma) t.sumaText += '0';
        // An amount that does not fit the statement's field.
        if (t.sumaText.size() > 12) return false;
        t.suma = std::atoll(t.sumaText.c_str());
        t.debet = riadok.back() == 'D';
        t.mena = "EUR";
        if (!prijemca.prijmi(t)) return false;
    }
    return !(zmeneny && druhZmeny == ZmenaSuboru::NeCitaSa);
}

// The file's lines from the one line that holds the whole text; a batch that
// split the file itself hands over more lines, and then no file is valid.
bool citajCelyText(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
                   HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    return riadky.size() == 1 && citaj(rozdelNaRiadky(riadky[0]), nastavenia, kluc, hlavicka, prijemca);
}

class TestovaciFormat final : public FormatVypisu {
public:
    std::string_view pripona() const override { return ".out"; }
    std::string zakladMena(std::string_view menoVstupu) const override
    {
        return std::string(menoVstupu.substr(0, menoVstupu.size() - 4));
    }
    void pridajTransakciu(StavVypisu& stav, const Transakcia& t, const HlavickaSuboru&) const override
    {
        stav.text += "T;" + std::to_string(stav.poradie) + ";" + t.datum + ";" + (t.debet ? "D;" : "K;")
            + t.sumaText + "\r\n";
    }
    std::size_t dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru&,
                                std::int32_t poradie) const override
    {
        return std::to_string(poradie).size() + t.datum.size() + t.sumaText.size() + 8;
    }
    Uzaver uzavri(const StavVypisu& stav, const HlavickaSuboru&, int cisloVypisu) const override
    {
        return {"H;" + std::to_string(cisloVypisu) + ";" + std::to_string(stav.pociatocnyZostatok) + "\r\n",
                "S;" + std::to_string(stav.poradie - 1) + ";" + std::to_string(stav.debet) + ";"
                    + std::to_string(stav.kredit) + ";" + std::to_string(stav.konecnyZostatok()) + ";"
                    + stav.datumVypisu + "\r\n"};
    }
};

const TestovaciFormat testovaciFormat;

}  // namespace

void nastavZmenuCitania(int cislo, ZmenaSuboru zmena)
{
    zmenaCitania = cislo;
    druhZmeny = zmena;
    pocetCitani = 0;
}

const Banka testovaciaBanka{"csv", testovaciFormat, citaj};

const Banka testovaciaBankaCelyText{"csv", testovaciFormat, citajCelyText, {}, true};

}  // namespace kasamat::test
