#include "formats/abo.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "formats/bajty.h"

namespace kasamat {

namespace {

// Writes one record from its layout and the values of its fields, in the
// layout's order, and ends it with CR LF.
template <std::size_t N>
void pridajZaznam(std::string& ciel, const std::array<PoleAbo, N>& polia,
                  const std::array<std::string_view, N>& hodnoty)
{
    const std::size_t zaciatok = ciel.size();
    bool zmestiaSa = true;
    for (std::size_t i = 0; i < N; ++i)
        if (polia[i].vypln == VyplnAbo::Nuly && hodnoty[i].size() > polia[i].sirka) zmestiaSa = false;
    if (zmestiaSa) {
        // Every number fits its field, the case of every record the readers
        // hand over: the record is filled in place, one field after another,
        // with no growth per field. Texts take their first bytes, as below.
        ciel.resize(zaciatok + dlzkaZaznamuAbo);
        char* pole = ciel.data() + zaciatok;
        for (std::size_t i = 0; i < N; ++i) {
            const std::string_view hodnota = hodnoty[i].substr(0, polia[i].sirka);
            const std::size_t vypln = polia[i].sirka - hodnota.size();
            if (polia[i].vypln == VyplnAbo::Nuly) {
                std::fill_n(pole, vypln, '0');
                std::copy(hodnota.begin(), hodnota.end(), pole + vypln);
            } else {
                std::copy(hodnota.begin(), hodnota.end(), pole);
                std::fill_n(pole + hodnota.size(), vypln, ' ');
            }
            pole += polia[i].sirka;
        }
        ciel += "\r\n";
        return;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (polia[i].vypln == VyplnAbo::Nuly) {
            assert(hodnoty[i].size() <= polia[i].sirka);
            pridajNulami(ciel, hodnoty[i], polia[i].sirka);
        } else {
            pridajText(ciel, hodnoty[i], polia[i].sirka);
        }
    }
    assert(ciel.size() - zaciatok == dlzkaZaznamuAbo);
    ciel += "\r\n";
}

// The currencies of the accounts an office here keeps; a statement in any
// other currency carries no code.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kodyMien = {{
    {"EUR", "00978"},
    {"CZK", "00203"},
    {"USD", "00840"},
    {"GBP", "00826"},
    {"CHF", "00756"},
    {"PLN", "00985"},
    {"HUF", "00348"},
}};

std::string_view znamienko(std::int64_t suma) { return suma < 0 ? "-" : "+"; }
std::string absolutne(std::int64_t suma) { return cislo(suma < 0 ? -suma : suma); }

}  // namespace

std::string_view kodMenyAbo(std::string_view mena)
{
    for (const auto& [kod, cislo] : kodyMien)
        if (kod == mena) return cislo;
    return "00000";
}

std::string FormatAbo::zakladMena(std::string_view menoVstupu) const
{
    return std::string(menoVstupu.substr(0, menoVstupu.size() < 4 ? 0 : menoVstupu.size() - 4));
}

void FormatAbo::pridajTransakciu(StavVypisu& stav, const Transakcia& t, const HlavickaSuboru& hlavicka) const
{
    const std::string_view kod = m_variant == VariantAbo::Fio ? "00203"
        : m_variant == VariantAbo::Camt053                    ? kodMenyAbo(t.mena)
                                                              : "00000";
    const std::string datumValuty = ddmmrr(t.datum2);
    const std::string datum = ddmmrr(t.datum);
    pridajZaznam(
        stav.text, zaznam075,
        {"075", hlavicka.vlastnyUcet, t.protiucet, "", t.sumaText, t.debet ? "1" : "2", t.variabilnySymbol,
         t.kodBanky, t.konstantnySymbol, t.specifickySymbol, datumValuty, t.text, kod, datum});
}

// Every transaction is one "075" record.
std::size_t FormatAbo::dlzkaTransakcie(const Transakcia&, const HlavickaSuboru&, std::int32_t) const
{
    return dlzkaZaznamuAbo + 2;
}

FormatVypisu::Uzaver FormatAbo::uzavri(const StavVypisu& stav, const HlavickaSuboru& hlavicka,
                                       int cisloVypisu) const
{
    const bool fio = m_variant == VariantAbo::Fio;
    // Tatra banka's export names no account holder, nor need a camt.053
    // statement: the statement's currency stands in the name field instead.
    const bool nazvany = fio || (m_variant == VariantAbo::Camt053 && !hlavicka.nazovUctu.empty());
    const std::string_view nazov = nazvany ? std::string_view(hlavicka.nazovUctu) : stav.mena;
    const std::int64_t konecny = stav.konecnyZostatok();
    const std::string prvyDatum = ddmmrr(stav.prvyDatum);
    const std::string stary = absolutne(stav.pociatocnyZostatok);
    const std::string novy = absolutne(konecny);
    const std::string debet = cislo(stav.debet);
    const std::string kredit = cislo(stav.kredit);
    const std::string cisloText = cislo(cisloVypisu);
    const std::string datumVypisu = ddmmrr(stav.datumVypisu);
    const std::string_view znamienkoObratu = m_variant == VariantAbo::TatraCsv ? "+" : "0";

    Uzaver uzaver;
    pridajZaznam(uzaver.pred, zaznam074,
                 {"074", hlavicka.vlastnyUcet, nazov, prvyDatum, stary, znamienko(stav.pociatocnyZostatok),
                  novy, znamienko(konecny), debet, znamienkoObratu, kredit, znamienkoObratu, cisloText,
                  datumVypisu, fio ? "FIO" : ""});
    return uzaver;
}

void pridajVnutornePoradie(std::string& ciel, std::string_view ucet16)
{
    static constexpr std::array<std::size_t, 16> poradie = {16, 14, 15, 12, 7, 8, 9, 10,
                                                            11, 13, 1,  2,  3, 4, 5, 6};
    for (std::size_t pozicia : poradie) ciel.append(usek(ucet16, pozicia, 1));
}

std::string vnutornePoradie(std::string_view ucet16)
{
    std::string vysledok;
    vysledok.reserve(16);
    pridajVnutornePoradie(vysledok, ucet16);
    return vysledok;
}

SumyAbo::SumyAbo(std::int64_t pociatocnyZostatok)
    : m_zostatok(pociatocnyZostatok),
      m_platne(pociatocnyZostatok >= -najviac && pociatocnyZostatok <= najviac)
{
}

bool SumyAbo::pripocitaj(const Transakcia& t)
{
    // An amount of at most 12 digits added to sums of at most 14 never
    // leaves the 64-bit range before the check below stops the file.
    if (!m_platne || t.suma < 0 || t.suma > najviac) return m_platne = false;
    if (t.debet) {
        m_debet += t.suma;
        m_zostatok -= t.suma;
    } else {
        m_kredit += t.suma;
        m_zostatok += t.suma;
    }
    m_platne = m_debet <= najviac && m_kredit <= najviac && m_zostatok >= -najviac && m_zostatok <= najviac;
    return m_platne;
}

}  // namespace kasamat
