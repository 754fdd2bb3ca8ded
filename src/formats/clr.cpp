#include "formats/clr.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstring>
#include <utility>

#include "formats/bajty.h"

namespace kasamat {

namespace {

constexpr std::string_view koniecRiadku = "\r\n";

// A balance is written unsigned, its sign a separate token followed by "R".
void pridajZostatok(std::string& text, std::int64_t zostatok)
{
    pridajCislo(text, zostatok < 0 ? -zostatok : zostatok);
    text += zostatok < 0 ? " - R" : " + R";
}

// The first and the last `k` bytes of a text of `k` to 2`k` bytes, which
// together are all of it: two moves of a fixed length that may overlap.
template <std::size_t k>
void kopirujKrajne(char* ciel, std::string_view text)
{
    std::memcpy(ciel, text.data(), k);
    std::memcpy(ciel + text.size() - k, text.data() + text.size() - k, k);
}

// Copies a text. Most values are short: one of 4 to 16 bytes is copied as
// its ends, rather than by a call whose own tests of the length cost more
// than the copy.
char* kopiruj(char* ciel, std::string_view text)
{
    if (text.size() >= 8 && text.size() <= 16)
        kopirujKrajne<8>(ciel, text);
    else if (text.size() >= 4 && text.size() < 8)
        kopirujKrajne<4>(ciel, text);
    else
        std::copy(text.begin(), text.end(), ciel);
    return ciel + text.size();
}

// The records of one transaction go to a counter of their bytes (pass 1
// plans each statement's size with it) or to a writer into room made for
// exactly those bytes: both follow the one layout below.
class DlzkaZaznamov {
public:
    void operator()(std::string_view text) { m_dlzka += text.size(); }
    void operator()(char) { ++m_dlzka; }
    void cislo(std::int32_t hodnota)
    {
        std::size_t cifry = 1;
        for (std::int32_t n = hodnota; n >= 10; n /= 10) ++cifry;
        m_dlzka += cifry;
    }
    std::size_t dlzka() const { return m_dlzka; }

private:
    std::size_t m_dlzka = 0;
};

class ZapisZaznamov {
public:
    ZapisZaznamov(char* zaciatok, char* koniec) : m_p(zaciatok), m_koniec(koniec) {}
    void operator()(std::string_view text) { m_p = kopiruj(m_p, text); }
    void operator()(char znak) { *m_p++ = znak; }
    void cislo(std::int32_t hodnota) { m_p = std::to_chars(m_p, m_koniec, hodnota).ptr; }
    const char* koniec() const { return m_p; }

private:
    char* m_p;
    char* m_koniec;
};

// The CLR file has no direction field: the side that carries the own account
// (D the payer, K the payee) shows whether money left or arrived.
template <typename Ciel>
void zaznamyTransakcie(Ciel& ciel, std::string_view vlastnyKod, const Transakcia& t,
                       const HlavickaSuboru& hlavicka, std::int32_t poradie)
{
    const std::string_view kodD = t.debet ? vlastnyKod : std::string_view(t.kodBanky);
    const std::string_view kodK = t.debet ? std::string_view(t.kodBanky) : vlastnyKod;
    const auto riadok = [&ciel](std::string_view znacka, std::string_view hodnota) {
        ciel(znacka);
        ciel(hodnota);
        ciel(koniecRiadku);
    };
    // The own account stands after a blank.
    const auto ucet = [&](std::string_view znacka, bool vlastny) {
        ciel(znacka);
        if (vlastny) {
            ciel(' ');
            ciel(hlavicka.vlastnyUcet);
        } else {
            ciel(t.protiucet);
        }
        ciel(koniecRiadku);
    };

    ciel("HD:11 ");
    ciel(t.datum);
    ciel(' ');
    ciel(kodD);
    ciel(' ');
    ciel.cislo(poradie);
    ciel(' ');
    ciel(kodK);
    ciel(koniecRiadku);

    ciel("KC:");
    ciel(t.sumaText);
    ciel(' ');
    ciel(t.datum2);
    ciel(' ');
    ciel(t.mena);
    ciel(koniecRiadku);

    riadok("ID:", t.datum);
    if (!t.konstantnySymbol.empty()) riadok("EC:", t.konstantnySymbol);
    ucet("UD:", t.debet);
    ucet("UK:", !t.debet);
    if (!t.specifickySymbol.empty()) {
        riadok("AD:", t.specifickySymbol);
        riadok("AK:", t.specifickySymbol);
    }
    if (!t.variabilnySymbol.empty()) {
        riadok("ZD:", t.variabilnySymbol);
        riadok("ZK:", t.variabilnySymbol);
    }
}

}  // namespace

std::string FormatClr::zakladMena(std::string_view menoVstupu) const { return std::string(menoVstupu); }

// The records are counted first and written into room made for them at
// once: one growth of the statement per transaction, not one per value.
void FormatClr::pridajTransakciu(StavVypisu& stav, const Transakcia& t, const HlavickaSuboru& hlavicka) const
{
    std::string& text = stav.text;
    const std::size_t zaciatok = text.size();
    text.resize(zaciatok + dlzkaTransakcie(t, hlavicka, stav.poradie));
    ZapisZaznamov zapis(text.data() + zaciatok, text.data() + text.size());
    zaznamyTransakcie(zapis, m_kodBanky, t, hlavicka, stav.poradie);
    assert(zapis.koniec() == text.data() + text.size());
}

std::size_t FormatClr::dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru& hlavicka,
                                       std::int32_t poradie) const
{
    DlzkaZaznamov dlzka;
    zaznamyTransakcie(dlzka, m_kodBanky, t, hlavicka, poradie);
    return dlzka.dlzka();
}

FormatVypisu::Uzaver FormatClr::uzavri(const StavVypisu& stav, const HlavickaSuboru&, int cisloVypisu) const
{
    const std::int64_t n = stav.poradie - 1;
    std::string t;

    t += "HD:51 ";
    t += stav.datumVypisu;
    t += ' ';
    t += m_kodBanky;
    t += ' ';
    pridajCislo(t, n + 1);
    t += " 1030";
    t += koniecRiadku;

    t += "IN:1 ";
    pridajCislo(t, n);
    t += koniecRiadku;

    t += "S1:";
    pridajCislo(t, n);
    t += ' ';
    pridajCislo(t, stav.spolu);
    t += koniecRiadku;

    t += "HD:52 ";
    t += stav.datumVypisu;
    t += ' ';
    t += m_kodBanky;
    t += ' ';
    pridajCislo(t, n + 2);
    t += ' ';
    t += m_kodBanky;
    t += koniecRiadku;

    t += "ZV:";
    t += stav.mena;
    t += ' ';
    t += m_kodBanky;
    t += " 0 ";
    t += stav.datumVypisu;
    t += ' ';
    pridajCislo(t, cisloVypisu);
    t += " 1 ";
    pridajZostatok(t, stav.pociatocnyZostatok);
    t += koniecRiadku;

    t += "KV:";
    pridajCislo(t, n + 2);
    t += ' ';
    pridajCislo(t, stav.debet);
    t += " + ";
    pridajCislo(t, stav.kredit);
    t += " + ";
    pridajZostatok(t, stav.konecnyZostatok());
    t += koniecRiadku;

    return {{}, std::move(t)};
}

}  // namespace kasamat
