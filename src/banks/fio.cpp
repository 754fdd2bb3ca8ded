#include "banks/fio.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "banks/banka.h"
#include "formats/abo.h"
#include "formats/bajty.h"
#include "formats/cp1250.h"

namespace kasamat {

namespace {

const FormatAbo formatAbo(VariantAbo::Fio);

// The export's fixed texts, compared with the file's code page 1250 bytes.
struct TextyFio {
    // The beginnings of lines 1 to 8.
    std::array<std::string, 8> zaciatky;
    std::string stlpce;
};

const TextyFio& texty()
{
    static const TextyFio texty{
        {cp1250ZUtf8("Prehľad vybraných transakcií na účte \""), cp1250ZUtf8("Majiteľ účtu: "),
         cp1250ZUtf8("Vytvorené v aplikácii Internetbanking: "), cp1250ZUtf8("Obdobie: "),
         cp1250ZUtf8("Počiatočný stav účtu k "), cp1250ZUtf8("Koncový stav účtu k "),
         cp1250ZUtf8("Suma príjmov: +"), cp1250ZUtf8("Suma výdajov: -")},
        cp1250ZUtf8("Prevod;Dátum;Objem;Protiúčet;Kód banky;KS;VS;ŠS;Užívateľská identifikácia;"
                    "Typ;Vykonal;Názov protiúčtu;Názov banky;"),
    };
    return texty;
}

constexpr std::string_view riadokSumy = "0;Suma;";
// Lines 1 to 10 are the header, line N-1 the sum line and line N a closing text.
constexpr std::size_t riadkovHlavicky = 10;
constexpr std::size_t riadkovZaveru = 2;

struct RiadokFio {
    std::string_view datum;  // dd.mm.yyyy
    bool debet = false;
    std::string_view jednotky;  // without its sign
    std::string_view stotiny;
    std::int64_t suma = 0;  // hundredths, when the amount fits its 12 digits
    // With a "-" in Protiúčet the parts before and after it, else the whole
    // field as the number and no prefix.
    bool sPredcislim = false;
    std::string_view predcislie;
    std::string_view cislo;
    std::string_view kodBanky;
    std::string_view konstantny;
    std::string_view variabilny;
    std::string_view specificky;
    std::string_view identifikacia;
    std::string_view typ;
};

// What the walk over a transaction line finds: the line test fails, or it
// passes but a value cannot go into its statement field, or the line reads.
enum class VysledokRiadku { Neplatny, NezmestiSa, Platny };

bool jeCislica(char znak) { return znak >= '0' && znak <= '9'; }
bool jeZnamienko(char znak) { return znak == '+' || znak == '-'; }

// Walks a transaction line from its first byte to its last, looking at each
// byte once: the line test's steps in their order, the checks that the
// statement's digit fields need, and the fields kept as views. A failed step
// of the line test ends the walk; a value the line test lets through but the
// statement cannot carry (a sign where the record needs digits, an amount
// beyond 12 digits) only marks the line.
//
// A line that passes ends with the ";" of its last field, and the walk
// tests that first: a scan for a non-digit or a ";" that starts inside the
// line then stops at that last byte at the latest, without testing for the
// line's end at each byte.
class PrechodRiadku {
public:
    explicit PrechodRiadku(std::string_view riadok) : m_p(riadok.data()), m_koniec(m_p + riadok.size()) {}

    bool konciBodkociarkou() const { return m_p != m_koniec && m_koniec[-1] == ';'; }
    bool preskocPole();
    bool datum(std::string_view& datum);
    bool objem(RiadokFio& r);
    bool protiucet(RiadokFio& r);
    // A field of at most `najviac` bytes: digits only, or, with `soZnamienkom`,
    // empty or an optional sign and at least one digit.
    bool cislo(std::string_view& pole, std::size_t najviac, bool soZnamienkom);
    bool pole(std::string_view& pole);
    bool koniecRiadku() const { return m_p == m_koniec; }
    bool zmestiSa() const { return m_zmestiSa; }

private:
    // The first byte from p (inside the line) on that is not a digit.
    static const char* zaCislicami(const char* p)
    {
        while (jeCislica(*p)) ++p;
        return p;
    }
    // The same, adding the digits to the value. Only a value of at most 12
    // digits is used, so its wrap past 19 digits does no harm.
    static const char* zaCislicami(const char* p, std::uint64_t& hodnota)
    {
        for (; jeCislica(*p); ++p) hodnota = hodnota * 10 + std::uint64_t(*p - '0');
        return p;
    }
    // The view from `od` to the ";" at the walk's place, which it steps over.
    bool ukonciPole(const char* od, std::string_view& pole)
    {
        if (*m_p != ';') return false;
        pole = std::string_view(od, std::size_t(m_p - od));
        ++m_p;
        return true;
    }

    const char* m_p;
    const char* const m_koniec;
    bool m_zmestiSa = true;
};

bool PrechodRiadku::pole(std::string_view& pole)
{
    // Free text runs long: memchr passes over it faster than a byte loop.
    const void* bodkociarka = std::memchr(m_p, ';', std::size_t(m_koniec - m_p));
    if (!bodkociarka) return false;
    const char* const koniec = static_cast<const char*>(bodkociarka);
    pole = std::string_view(m_p, std::size_t(koniec - m_p));
    m_p = koniec + 1;
    return true;
}

bool PrechodRiadku::preskocPole()
{
    std::string_view prevod;
    return pole(prevod);
}

// dd.mm.yyyy: bytes 1-2, 4-5 and 7-10 joined read as a number; the two
// separators and the byte after the date (its ";") are not looked at. The
// key needs all eight digits, so a sign only marks the line.
bool PrechodRiadku::datum(std::string_view& datum)
{
    // Fewer bytes leave nothing for the amount's comma.
    if (m_koniec - m_p < 12) return false;
    if (jeZnamienko(m_p[0]))
        m_zmestiSa = false;
    else if (!jeCislica(m_p[0]))
        return false;
    for (const int i : {1, 3, 4, 6, 7, 8, 9})
        if (!jeCislica(m_p[i])) return false;
    datum = std::string_view(m_p, 10);
    m_p += 11;
    return true;
}

// Units up to the first comma and the two bytes after it read as one
// number: a sign may stand only first, units empty or not. The byte after
// the decimals (the ";") is not looked at. The record takes the digits
// without a debit's "-", 12 at most.
bool PrechodRiadku::objem(RiadokFio& r)
{
    const char znamienko = jeZnamienko(*m_p) ? *m_p++ : 0;
    const char* const jednotky = m_p;
    std::uint64_t hodnota = 0;
    m_p = zaCislicami(m_p, hodnota);
    if (*m_p != ',') return false;
    r.jednotky = std::string_view(jednotky, std::size_t(m_p - jednotky));
    const bool nicPredCiarkou = znamienko == 0 && r.jednotky.empty();
    ++m_p;

    // The comma is not the last byte, so one decimal at least stands in the line.
    const char* const koniecStotin = m_p + std::min<std::ptrdiff_t>(2, m_koniec - m_p);
    r.stotiny = std::string_view(m_p, std::size_t(koniecStotin - m_p));
    // With nothing before the comma the sign may open the decimals, where
    // the record cannot take it.
    if (nicPredCiarkou && jeZnamienko(*m_p)) {
        m_zmestiSa = false;
        ++m_p;
    }
    const char* const cisliceStotin = m_p;
    for (; m_p != koniecStotin; ++m_p) {
        if (!jeCislica(*m_p)) return false;
        hodnota = hodnota * 10 + std::uint64_t(*m_p - '0');
    }
    const std::size_t cislic = r.jednotky.size() + std::size_t(koniecStotin - cisliceStotin);
    if (cislic == 0) return false;
    if (znamienko == '+' || cislic > sirkaSumyAbo) m_zmestiSa = false;
    r.debet = znamienko == '-';
    r.suma = std::int64_t(hodnota);
    m_p = std::min(koniecStotin + 1, m_koniec);
    return true;
}

// Empty, digits only, or a prefix, "-" and the number: the prefix at most 6
// bytes, an optional sign and digits; the number at most 10 digits. Without
// a "-" at most 16 digits. The record's prefix takes no sign.
bool PrechodRiadku::protiucet(RiadokFio& r)
{
    const char* const zaciatok = m_p;
    if (zaciatok == m_koniec) return false;
    const bool znamienko = *m_p == '+';
    m_p = zaCislicami(m_p + (znamienko ? 1 : 0));
    r.sPredcislim = *m_p == '-';
    if (!r.sPredcislim) {
        r.predcislie = {};
        return !znamienko && ukonciPole(zaciatok, r.cislo) && r.cislo.size() <= 16;
    }
    r.predcislie = std::string_view(zaciatok, std::size_t(m_p - zaciatok));
    const std::size_t cislicPredcislia = r.predcislie.size() - (znamienko ? 1 : 0);
    if (cislicPredcislia == 0 || r.predcislie.size() > 6) return false;
    if (znamienko) m_zmestiSa = false;
    const char* const cislo = ++m_p;
    m_p = zaCislicami(m_p);
    return ukonciPole(cislo, r.cislo) && r.cislo.size() <= 10;
}

bool PrechodRiadku::cislo(std::string_view& pole, std::size_t najviac, bool soZnamienkom)
{
    const char* const zaciatok = m_p;
    if (zaciatok == m_koniec) return false;
    const bool znamienko = soZnamienkom && jeZnamienko(*m_p);
    const char* const cislice = m_p + (znamienko ? 1 : 0);
    m_p = zaCislicami(cislice);
    // A lone sign is no number.
    if ((znamienko && m_p == cislice) || !ukonciPole(zaciatok, pole) || pole.size() > najviac) return false;
    if (znamienko) m_zmestiSa = false;
    return true;
}

VysledokRiadku rozober(std::string_view riadok, RiadokFio& r)
{
    PrechodRiadku prechod(riadok);
    std::string_view vykonal, nazovProtiuctu, nazovBanky;
    const bool prejde = prechod.konciBodkociarkou() && prechod.preskocPole() && prechod.datum(r.datum)
        && prechod.objem(r) && prechod.protiucet(r) && prechod.cislo(r.kodBanky, sirkaKoduBankyAbo, true)
        && prechod.cislo(r.konstantny, sirkaKonstantnehoAbo, true)
        && prechod.cislo(r.variabilny, sirkaVariabilnehoAbo, false)
        && prechod.cislo(r.specificky, sirkaSpecifickehoAbo, false) && prechod.pole(r.identifikacia)
        && prechod.pole(r.typ) && prechod.pole(vykonal) && prechod.pole(nazovProtiuctu)
        && prechod.pole(nazovBanky) && prechod.koniecRiadku();
    if (!prejde) return VysledokRiadku::Neplatny;
    return prechod.zmestiSa() ? VysledokRiadku::Platny : VysledokRiadku::NezmestiSa;
}

// The yyyymmdd key of the dd.mm.yyyy date, in the three kept strings; a run
// of transactions of one day leaves them as they are.
void nastavDatum(std::string_view datum, Transakcia& t)
{
    const char kluc[8] = {datum[6], datum[7], datum[8], datum[9], datum[3], datum[4], datum[0], datum[1]};
    const std::string_view novy(kluc, sizeof kluc);
    if (t.rezDatum.size() == novy.size() && std::memcmp(t.rezDatum.data(), kluc, sizeof kluc) == 0) return;
    t.rezDatum.assign(novy);
    t.datum.assign(novy);
    t.datum2.assign(novy);
}

// Copies the bytes into a kept string, within its capacity: appending to
// the emptied string skips the overlap test of assign(), and an empty field
// (most symbols are) costs no call.
void prepis(std::string& ciel, std::string_view zdroj)
{
    ciel.clear();
    if (!zdroj.empty()) ciel.append(zdroj);
}

// The 16 digits of the counter-account: the prefix filled with "0" to 6 and
// the number to 10, or the whole field filled to 16.
void nastavProtiucet(const RiadokFio& r, std::string& protiucet)
{
    char cislice[16];
    std::fill(std::begin(cislice), std::end(cislice), '0');
    const auto vpravo = [&](std::size_t koniec, std::string_view cast) {
        std::copy(cast.begin(), cast.end(), cislice + koniec - cast.size());
    };
    if (r.sPredcislim) {
        vpravo(6, r.predcislie);
        vpravo(16, r.cislo);
    } else {
        vpravo(16, r.cislo);
    }
    prepis(protiucet, std::string_view(cislice, sizeof cislice));
}

// The amount's digits as written, without the sign: units and decimals.
void nastavSumu(const RiadokFio& r, Transakcia& t)
{
    t.sumaText.clear();
    t.sumaText.append(r.jednotky).append(r.stotiny);
    t.suma = r.suma;
    t.debet = r.debet;
}

// Fills the reader's kept transaction: its strings keep their capacity.
void nacitajTransakciu(const RiadokFio& r, Transakcia& t)
{
    nastavDatum(r.datum, t);
    nastavSumu(r, t);
    nastavProtiucet(r, t.protiucet);
    prepis(t.kodBanky, r.kodBanky);
    prepis(t.konstantnySymbol, r.konstantny);
    prepis(t.variabilnySymbol, r.variabilny);
    prepis(t.specifickySymbol, r.specificky);
    prepis(t.text, r.identifikacia.empty() ? r.typ : r.identifikacia);
}

std::string spoj(std::string_view a, std::string_view b)
{
    std::string vysledok(a);
    vysledok.append(b);
    return vysledok;
}

// Line 5 ends with the balance, a blank and the currency code: the balance
// stands from the second byte after the first colon up to the fifth-last
// byte. Its blanks are thousands separators; the byte before the last two
// digits is the decimal separator, whatever it is.
std::optional<std::int64_t> pociatocnyZostatok(std::string_view riadok)
{
    const std::size_t dvojbodka = riadok.find(':');
    if (dvojbodka == std::string_view::npos || riadok.size() < 4 || dvojbodka + 2 >= riadok.size() - 4)
        return std::nullopt;
    std::string zostatok;
    for (char znak : riadok.substr(dvojbodka + 2, riadok.size() - 4 - (dvojbodka + 2)))
        if (znak != ' ') zostatok += znak;
    // Fewer than three bytes hold no separator and two decimals.
    if (zostatok.size() < 3) return std::nullopt;
    const std::string cislo = spoj(std::string_view(zostatok).substr(0, zostatok.size() - 3),
                                   std::string_view(zostatok).substr(zostatok.size() - 2));
    if (!citaSaAkoCislo(cislo)) return std::nullopt;
    return atolHodnota(cislo);
}

// Lines 1 to 10 and the sum line: the opening balance when they hold.
std::optional<std::int64_t> skontrolujHlavicku(const Riadky& riadky)
{
    if (riadky.size() < riadkovHlavicky + riadkovZaveru) return std::nullopt;
    const TextyFio& t = texty();
    for (std::size_t i = 0; i < t.zaciatky.size(); ++i)
        if (!zacinaNa(riadky[i], t.zaciatky[i])) return std::nullopt;
    const std::string_view ucet = usek(riadky[0], 39, 10);
    if (usek(riadky[0], 49, 6) != "/8330\"" || !riadky[8].empty() || riadky[9] != t.stlpce
        || !zacinaNa(riadky[riadky.size() - 2], riadokSumy) || ucet.size() != 10 || !ibaCislice(ucet))
        return std::nullopt;
    return pociatocnyZostatok(riadky[4]);
}

// The holder's name stands after "Majiteľ účtu: " up to the first comma.
std::string_view nazovUctu(std::string_view riadok)
{
    const std::string_view zvysok = usek(riadok, 15, std::string_view::npos);
    const std::size_t ciarka = zvysok.find(',');
    return ciarka == std::string_view::npos ? std::string_view() : zvysok.substr(0, ciarka);
}

// A file with no line between the column line and the sum line would make
// a statement of a lone "074" record, dated and named with nothing.
bool maTransakcie(const Riadky& riadky) { return riadky.size() > riadkovHlavicky + riadkovZaveru; }

// Tests the file and hands over the transaction lines in file order (the
// exports list them oldest first) in one walk; the key is the date of the
// last one.
bool citaj(const Riadky& riadky, const NastaveniaKonverzie&, KlucSuboru& kluc, HlavickaSuboru& hlavicka,
           PrijemcaTransakcii& prijemca)
{
    const std::optional<std::int64_t> pociatocny = skontrolujHlavicku(riadky);
    if (!pociatocny || !maTransakcie(riadky)) return false;
    SumyAbo sumy(*pociatocny);
    if (!sumy.platne()) return false;
    hlavicka.vlastnyUcet = doplnNulami(usek(riadky[0], 39, 10), 16);
    hlavicka.nazovUctu = velkymiPismenami(nazovUctu(riadky[1]));
    hlavicka.pociatocnyZostatok = *pociatocny;

    Transakcia t;
    RiadokFio r;
    for (std::size_t i = riadkovHlavicky; i + riadkovZaveru < riadky.size(); ++i) {
        if (rozober(riadky[i], r) != VysledokRiadku::Platny) return false;
        nacitajTransakciu(r, t);
        if (!sumy.pripocitaj(t) || !prijemca.prijmi(t)) return false;
    }
    kluc.datum = t.rezDatum;
    kluc.oddelovac = ' ';
    return true;
}

}  // namespace

int KontrolaRiadkuFio(std::string_view riadok)
{
    RiadokFio r;
    return rozober(riadok, r) == VysledokRiadku::Neplatny ? 0 : 1;
}

const Banka KonverziaFio{"csv", formatAbo, citaj};

}  // namespace kasamat
