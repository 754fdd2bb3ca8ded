#include "banks/trustpay.h"

#include "banks/banka.h"
#include "formats/bajty.h"
#include "formats/clr.h"

namespace kasamat {

namespace {

const FormatClr formatClr("9952");

void nahradPrvy(std::string& text, std::string_view premenna, std::string_view hodnota)
{
    if (const std::size_t miesto = text.find(premenna); miesto != std::string::npos)
        text.replace(miesto, premenna.size(), hodnota);
}

// The amount's digits are written into the KC record as they stand, so its
// value must be exact: more than 18 significant digits may not fit 64 bits,
// and a value held at the bound would sum to other than the record shows.
bool sumaSaZmesti(std::string_view cislice)
{
    const std::size_t prva = cislice.find_first_not_of('0');
    return prva == std::string_view::npos || cislice.size() - prva <= 18;
}

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    std::string posledny;
    if (!testujTrustPay(riadky, posledny)) return false;
    kluc.datum = NacitatPolozkuTrustPay(posledny).datumKluc;
    // TrustPay lists its records oldest first: the separator carries no direction.
    kluc.oddelovac = ' ';
    return true;
}

class Prevod final : public PrijemcaZaznamov {
public:
    Prevod(const NastaveniaKonverzie& nastavenia, PrijemcaTransakcii& prijemca)
        : m_nastavenia(nastavenia), m_prijemca(prijemca)
    {
    }

    bool prijmi(const PolozkaTrustPay& p) override
    {
        Transakcia& t = m_transakcia;
        t.rezDatum = p.datumText;
        t.datum = p.datumKluc;
        // The export carries one date per record: it also stands for the second date.
        t.datum2 = p.datumKluc;
        t.sumaText = p.sumaText;
        t.suma = p.suma;
        t.debet = p.debet;
        t.mena = p.mena;
        t.kodBanky = p.kodBanky;
        t.protiucet = p.predcislie;
        t.protiucet += ' ';
        t.protiucet += p.cislo;
        t.protiucet += ' ';
        pridajTextPlatby(t.protiucet, m_nastavenia.textPlatby, p, m_text);
        t.konstantnySymbol = p.konstantnySymbol;
        t.variabilnySymbol = m_nastavenia.variabilnySymbol == 1 ? p.referencia : p.variabilnySymbol;
        t.specifickySymbol = p.specifickySymbol;
        return sumaSaZmesti(t.sumaText) && pripocitajObrat(m_obrat, t.suma) && m_prijemca.prijmi(t);
    }

private:
    const NastaveniaKonverzie& m_nastavenia;
    PrijemcaTransakcii& m_prijemca;
    Transakcia m_transakcia;
    // The payment text while the template is filled, kept for its capacity.
    std::string m_text;
    std::int64_t m_obrat = 0;
};

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    if (!test(riadky, kluc)) return false;
    hlavicka.vlastnyUcet = nastavenia.cisloUctu;
    Prevod prevod(nastavenia, prijemca);
    return citajTrustPay(riadky, prevod);
}

}  // namespace

void pridajTextPlatby(std::string& ciel, std::string_view sablona, const PolozkaTrustPay& p,
                      std::string& text)
{
    // Each search runs over the text as the earlier replacements left it, so
    // a later variable may be found inside a value inserted before it.
    text.assign(sablona);
    nahradPrvy(text, "$ks", p.konstantnySymbol);
    nahradPrvy(text, "$vs", p.variabilnySymbol);
    nahradPrvy(text, "$ss", p.specifickySymbol);
    nahradPrvy(text, "$ref", p.referencia);
    nahradPrvy(text, "$txt", p.zvysnyText);
    nahradPrvy(text, "$npu", p.nazovProtiuctu);
    ciel += orez(text).substr(0, 20);
}

std::string textPlatbyZoSablony(std::string_view sablona, const PolozkaTrustPay& p)
{
    std::string vysledok;
    std::string text;
    pridajTextPlatby(vysledok, sablona, p, text);
    return vysledok;
}

const Banka KonverziaTrustPay{"csv", formatClr, citaj};

}  // namespace kasamat
