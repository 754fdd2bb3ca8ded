#include "banks/tatra_txt.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>

#include "banks/banka.h"
#include "formats/bajty.h"
#include "formats/clr.h"

namespace kasamat {

const std::string_view tatraTxtCiara =
    "------------+------------+------------------+------+--------+--------+------------+---------+"
    "------------+------------+------------+----------------------------------------------------------"
    "--------------+------------------------------------------------------------------------+";
const std::string_view tatraTxtNadpis1 =
    "Datum       | Datum      | Suma             | Mena | Typ    | Prefix | Cislo      | Kod     | "
    "Konstantny | Variabilny | Specificky | Ucel Platby                                              "
    "              | Popis                                                                  |";
const std::string_view tatraTxtNadpis2 =
    "Spracovania | Zuctovania |                  |      | Platby | Uctu   | Uctu       | Banky   | "
    "Symbol     | Symbol     | Symbol     |                                                          "
    "              |                                                                        |";

namespace {

const FormatClr formatClr("1100");

constexpr bool tabulkaVPoradi()
{
    for (std::size_t i = 0; i < tatraTxtPolia.size(); ++i)
        if (static_cast<std::size_t>(tatraTxtPolia[i].stlpec) != i) return false;
    return true;
}
static_assert(tabulkaVPoradi(), "the column table is indexed by its columns");

// Lines 1 to 4 are the header; the last line closes the file.
constexpr std::size_t prvyRiadokTransakcie = 4;

constexpr const PoleTatraTxt& miesto(StlpecTatraTxt stlpec)
{
    return tatraTxtPolia[static_cast<std::size_t>(stlpec)];
}

constexpr std::size_t sirkaStlpca(StlpecTatraTxt stlpec) { return miesto(stlpec).sirka; }

// The length of a line that holds the column whole.
constexpr std::size_t koniecStlpca(StlpecTatraTxt stlpec)
{
    return miesto(stlpec).pozicia - 1 + miesto(stlpec).sirka;
}

// The date text of the daily cut: the processing date as written.
constexpr std::size_t dlzkaRezovehoDatumu = 10;
// The counterparty's designation takes this much of the purpose (or of the
// description).
constexpr std::size_t dlzkaPopisu = 20;

// The bytes of a column that the line holds: positions beyond its end read
// as nothing. Always a view into the line, even when empty, so that the
// copies below can tell how many bytes the line holds from a value on.
std::string_view pole(std::string_view riadok, StlpecTatraTxt stlpec)
{
    const PoleTatraTxt& p = miesto(stlpec);
    return riadok.substr(std::min(p.pozicia - 1, riadok.size()), p.sirka);
}

// The bytes the line holds from a value of it on.
std::size_t vRiadkuOd(std::string_view hodnota, std::string_view riadok)
{
    return static_cast<std::size_t>(riadok.data() + riadok.size() - hodnota.data());
}

// ---------------------------------------------------------------------------
// Trimming. A transaction line is mostly blanks that fill its columns, and
// the length of each value varies from line to line: a byte-wise trim stops
// at another place on each line and keeps the processor guessing. A column
// is read in 8-byte words instead, and the ends of its value found from a
// map of the bytes trimming keeps.

// Byte i of the text is bits 8i to 8i + 7 of the word read from it.
static_assert(std::endian::native == std::endian::little);

std::uint64_t slovo(const char* p)
{
    std::uint64_t vysledok;
    std::memcpy(&vysledok, p, sizeof vysledok);
    return vysledok;
}

// Bit i set when byte i of the word is kept by trimming (its code is above
// 32). Adding 95 to a byte's low seven bits carries into its top bit exactly
// from 33 up, never into the next byte; a byte from 128 up has the top bit
// already. The multiplication then gathers the eight top bits, without
// carries between them, into the word's last byte.
constexpr unsigned ponechaneBajty(std::uint64_t slovo)
{
    constexpr std::uint64_t dolnych7 = 0x7F7F'7F7F'7F7F'7F7Fu;
    constexpr std::uint64_t plus95 = 0x5F5F'5F5F'5F5F'5F5Fu;
    constexpr std::uint64_t horne = 0x8080'8080'8080'8080u;
    constexpr std::uint64_t zber = 0x0002'0408'1020'4081u;
    return static_cast<unsigned>(((((slovo & dolnych7) + plus95) | slovo) & horne) * zber >> 56);
}
static_assert(ponechaneBajty(0x2120'1F00'FF80'7F41u) == 0b1000'1111);

// A column of at most 16 bytes trimmed, with no branch on its bytes: the map
// of its kept bytes from one word (only the column's bytes count) or from
// two that overlap. The sentinel bit past the column makes an empty column's
// start its end.
template <std::size_t sirka>
std::string_view orezUzky(const char* stlpec)
{
    static_assert(sirka <= 16);
    unsigned mapa = ponechaneBajty(slovo(stlpec));
    if constexpr (sirka < 8)
        mapa &= (1u << sirka) - 1;
    else if constexpr (sirka > 8)
        mapa |= ponechaneBajty(slovo(stlpec + sirka - 8)) << (sirka - 8);
    const std::size_t od = std::countr_zero(mapa | (1u << sirka));
    const std::size_t po = std::bit_width(mapa);
    return {stlpec + od, po > od ? po - od : 0};
}

// A wide column (purpose, description: 65 to 72 bytes) trimmed the same
// way, its map in two parts: bytes 0 to 63, and the rest from a last word
// that overlaps the one before.
template <std::size_t sirka>
std::string_view orezSiroky(const char* stlpec)
{
    static_assert(sirka > 64 && sirka <= 72);
    std::uint64_t dolna = 0;
    for (std::size_t posun = 0; posun < 64; posun += 8)
        dolna |= std::uint64_t(ponechaneBajty(slovo(stlpec + posun))) << posun;
    const unsigned horna = ponechaneBajty(slovo(stlpec + sirka - 8)) >> (72 - sirka);
    const std::size_t od =
        dolna != 0 ? std::countr_zero(dolna) : 64 + std::countr_zero(horna | (1u << (sirka - 64)));
    const std::size_t po = horna != 0 ? 64 + std::bit_width(horna) : std::bit_width(dolna);
    return {stlpec + od, po > od ? po - od : 0};
}

// A column trimmed. The words are read where the line holds them; a line
// that ends before (not a transaction line of the layout) is trimmed byte by
// byte.
template <StlpecTatraTxt stlpec>
std::string_view orezanePole(std::string_view riadok)
{
    constexpr PoleTatraTxt p = miesto(stlpec);
    if (riadok.size() < p.pozicia - 1 + std::max<std::size_t>(p.sirka, 8)) return orez(pole(riadok, stlpec));
    const char* const zaciatok = riadok.data() + p.pozicia - 1;
    if constexpr (p.sirka <= 16)
        return orezUzky<p.sirka>(zaciatok);
    else
        return orezSiroky<p.sirka>(zaciatok);
}

// ---------------------------------------------------------------------------
// Filling the transaction's strings. Each keeps its room from line to line,
// so nothing is allocated per line. A string is given room for its longest
// value, the parts are written into it and it is cut back to their length.
// Where the line holds `sirka` bytes from a part on, all of them are copied
// and the next part written over the surplus: a copy of one length on every
// line, again with no branch on the value's length.

char* pripravMiesto(std::string& ciel, std::size_t najviac)
{
    ciel.assign(najviac, ' ');
    return ciel.data();
}

void skrat(std::string& ciel, const char* koniec)
{
    ciel.resize(static_cast<std::size_t>(koniec - ciel.data()));
}

// A part cut from the line, at most `sirka` bytes (its column's width).
template <std::size_t sirka>
char* pripoj(char* ciel, std::string_view cast, std::string_view riadok)
{
    assert(cast.size() <= sirka);
    if (vRiadkuOd(cast, riadok) >= sirka)
        std::memcpy(ciel, cast.data(), sirka);
    else
        std::copy(cast.begin(), cast.end(), ciel);
    return ciel + cast.size();
}

char* pripoj(char* ciel, std::string_view text) { return std::copy(text.begin(), text.end(), ciel); }

// A value cut from the line, at most `sirka` bytes. Inline: it fills most
// strings of every line, and a call costs more than its work.
template <std::size_t sirka>
inline void prirad(std::string& ciel, std::string_view hodnota, std::string_view riadok)
{
    skrat(ciel, pripoj<sirka>(pripravMiesto(ciel, sirka), hodnota, riadok));
}

// yyyymmdd from the day, month and year columns. A line that holds the
// three columns whole gives the eight bytes at once: the year, the month and
// the day read as numbers of four, two and two bytes and put side by side.
template <StlpecTatraTxt den, StlpecTatraTxt mesiac, StlpecTatraTxt rok>
void datum(std::string_view riadok, std::string& vysledok)
{
    static_assert(miesto(den).sirka == 2 && miesto(mesiac).sirka == 2 && miesto(rok).sirka == 4);
    char* p = pripravMiesto(vysledok, 8);
    if (riadok.size() >= std::max({koniecStlpca(den), koniecStlpca(mesiac), koniecStlpca(rok)})) {
        std::uint32_t r;
        std::uint16_t m, d;
        std::memcpy(&r, riadok.data() + miesto(rok).pozicia - 1, 4);
        std::memcpy(&m, riadok.data() + miesto(mesiac).pozicia - 1, 2);
        std::memcpy(&d, riadok.data() + miesto(den).pozicia - 1, 2);
        const std::uint64_t rrrrmmdd = r | std::uint64_t(m) << 32 | std::uint64_t(d) << 48;
        std::memcpy(p, &rrrrmmdd, 8);
        return;
    }
    p = pripoj<4>(p, pole(riadok, rok), riadok);
    p = pripoj<2>(p, pole(riadok, mesiac), riadok);
    skrat(vysledok, pripoj<2>(p, pole(riadok, den), riadok));
}

// A trimmed column into a kept string.
template <StlpecTatraTxt stlpec>
void priradOrezane(std::string& ciel, std::string_view riadok)
{
    prirad<sirkaStlpca(stlpec)>(ciel, orezanePole<stlpec>(riadok), riadok);
}

void datumSpracovania(std::string_view riadok, std::string& vysledok)
{
    using S = StlpecTatraTxt;
    datum<S::DenSpracovania, S::MesiacSpracovania, S::RokSpracovania>(riadok, vysledok);
}

// The file key compares dates as numbers: a processing date that is not
// eight digits cannot key the file, which then counts as invalid.
bool ciselnyDatum(std::string_view datum) { return datum.size() == 8 && ibaCislice(datum); }

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    if (riadky.size() < prvyRiadokTransakcie + 2) return false;
    if (riadky[0] != tatraTxtCiara || riadky[1] != tatraTxtNadpis1 || riadky[2] != tatraTxtNadpis2
        || riadky[3] != tatraTxtCiara || riadky.back() != tatraTxtCiara)
        return false;
    std::string prvy, posledny;
    datumSpracovania(riadky[prvyRiadokTransakcie], prvy);
    datumSpracovania(riadky[riadky.size() - 2], posledny);
    if (!ciselnyDatum(prvy) || !ciselnyDatum(posledny)) return false;
    // Eight digits each: comparing the texts compares the numbers.
    if (prvy > posledny) {
        kluc.datum = prvy;
        kluc.oddelovac = '>';
    } else {
        kluc.datum = posledny;
        kluc.oddelovac = '<';
    }
    return true;
}

void nacitajTransakciu(std::string_view riadok, Transakcia& t)
{
    using S = StlpecTatraTxt;
    prirad<dlzkaRezovehoDatumu>(t.rezDatum, riadok.substr(0, dlzkaRezovehoDatumu), riadok);
    datumSpracovania(riadok, t.datum);
    datum<S::DenZuctovania, S::MesiacZuctovania, S::RokZuctovania>(riadok, t.datum2);

    char* suma = pripravMiesto(t.sumaText, sirkaStlpca(S::Jednotky) + sirkaStlpca(S::Stotiny));
    suma = pripoj<sirkaStlpca(S::Jednotky)>(suma, orezanePole<S::Jednotky>(riadok), riadok);
    skrat(t.sumaText, pripoj<sirkaStlpca(S::Stotiny)>(suma, pole(riadok, S::Stotiny), riadok));
    t.suma = atolHodnota(t.sumaText);
    prirad<sirkaStlpca(S::Mena)>(t.mena, pole(riadok, S::Mena), riadok);
    t.debet = pole(riadok, S::TypPlatby) == "Debet";

    const std::string_view kod = orezanePole<S::KodBanky>(riadok);
    if (kod.empty())
        t.kodBanky = "0000";
    else
        prirad<sirkaStlpca(S::KodBanky)>(t.kodBanky, kod, riadok);

    const std::string_view cislo = orezanePole<S::CisloUctu>(riadok);
    std::string_view popis = orezanePole<S::UcelPlatby>(riadok);
    if (popis.empty()) popis = orezanePole<S::Popis>(riadok);
    char* ucet = pripravMiesto(t.protiucet,
                               sirkaStlpca(S::Predcislie) + 1 + sirkaStlpca(S::CisloUctu) + 1 + dlzkaPopisu);
    ucet = pripoj<sirkaStlpca(S::Predcislie)>(ucet, orezanePole<S::Predcislie>(riadok), riadok);
    *ucet++ = ' ';
    ucet = cislo.empty() ? pripoj(ucet, "00") : pripoj<sirkaStlpca(S::CisloUctu)>(ucet, cislo, riadok);
    *ucet++ = ' ';
    skrat(t.protiucet, pripoj<dlzkaPopisu>(ucet, popis.substr(0, dlzkaPopisu), riadok));

    priradOrezane<S::KonstantnySymbol>(t.konstantnySymbol, riadok);
    priradOrezane<S::VariabilnySymbol>(t.variabilnySymbol, riadok);
    priradOrezane<S::SpecifickySymbol>(t.specifickySymbol, riadok);
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    if (!test(riadky, kluc)) return false;
    hlavicka.vlastnyUcet = nastavenia.cisloUctu;

    const std::size_t pocet = riadky.size() - prvyRiadokTransakcie - 1;
    std::int64_t obrat = 0;
    Transakcia t;
    for (std::size_t i = 0; i < pocet; ++i) {
        const std::size_t index = kluc.oddelovac == '>' ? riadky.size() - 2 - i : prvyRiadokTransakcie + i;
        nacitajTransakciu(riadky[index], t);
        if (!pripocitajObrat(obrat, t.suma) || !prijemca.prijmi(t)) return false;
    }
    return true;
}

}  // namespace

const Banka KonverziaTatraTxt{"txt", formatClr, citaj};

}  // namespace kasamat
