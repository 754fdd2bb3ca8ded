#include "podpora/testovacia_banka.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "banks/riadky.h"

namespace kasamat::test {

namespace {

int zlyhanieCitania = 0;
int pocetCitani = 0;

bool cislice(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool jeTransakcia(std::string_view riadok)
{
    return riadok.size() >= 14 && riadok[2] == '.' && riadok[5] == '.' && riadok[10] == ';'
        && cislice(riadok.substr(0, 2)) && cislice(riadok.substr(3, 2)) && cislice(riadok.substr(6, 4))
        && (riadok.ends_with(";D") || riadok.ends_with(";K"))
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

bool citaj(const Riadky& riadky, char oddelovac, const NastaveniaKonverzie&, HlavickaSuboru& hlavicka,
           PrijemcaTransakcii& prijemca)
{
    const bool zlyha = ++pocetCitani == zlyhanieCitania;
    const std::size_t od = prvaTransakcia(riadky);
    if (od == 1) hlavicka.pociatocnyZostatok = std::atoll(std::string(riadky[0].substr(3)).c_str());
    std::vector<std::string_view> poradie(riadky.begin() + std::ptrdiff_t(od), riadky.end());
    if (oddelovac == '>') std::reverse(poradie.begin(), poradie.end());
    for (const std::string_view riadok : poradie) {
        Transakcia t;
        t.rezDatum = riadok.substr(0, 10);
        t.datum = datum(riadok);
        t.sumaText = riadok.substr(11, riadok.size() - 13);
        // An amount that does not fit the statement's field.
        if (t.sumaText.size() > 12) return false;
        t.suma = std::atoll(t.sumaText.c_str());
        t.debet = riadok.back() == 'D';
        t.mena = "EUR";
        if (!prijemca.prijmi(t)) return false;
    }
    return !zlyha;
}

// The file's lines, from the one line that holds the whole text; none when
// the batch split the file itself.
std::optional<Riadky> celyText(const Riadky& riadky)
{
    if (riadky.size() != 1) return std::nullopt;
    return rozdelNaRiadky(riadky[0]);
}

bool testCelehoTextu(const Riadky&, KlucSuboru&) { return false; }

bool citajCelyText(const Riadky& riadky, char oddelovac, const NastaveniaKonverzie& nastavenia,
                   HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    const std::optional<Riadky> text = celyText(riadky);
    return text && citaj(*text, oddelovac, nastavenia, hlavicka, prijemca);
}

bool testACitaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
                HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    const std::optional<Riadky> text = celyText(riadky);
    return text && test(*text, kluc) && citaj(*text, kluc.oddelovac, nastavenia, hlavicka, prijemca);
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

void nastavZlyhanieCitania(int cislo)
{
    zlyhanieCitania = cislo;
    pocetCitani = 0;
}

const Banka testovaciaBanka{"csv", testovaciFormat, test, citaj};

const Banka testovaciaBankaJednymCitanim{
    "csv", testovaciFormat, testCelehoTextu, citajCelyText, {}, testACitaj, true};

}  // namespace kasamat::test
