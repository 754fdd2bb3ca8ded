#include "banks/tatra_csv.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "banks/banka.h"
#include "formats/abo.h"
#include "formats/bajty.h"
#include "formats/cp1250.h"

namespace kasamat {

namespace {

const FormatAbo formatAbo(VariantAbo::TatraCsv);

const std::string& stlpce()
{
    static const std::string stlpce = cp1250ZUtf8(
        "\"Dátum spracovania\",\"Dátum zúčtovania\",Suma,Mena,Typ,\"Predčíslie\",\"Číslo účtu\","
        "\"Kód banky\",IBAN,\"Variabilný symbol\",\"Špecifický symbol\",\"Konštantný symbol\","
        "\"Referencia platiteľa\",\"Informácia pre príjemcu\",Popis");
    return stlpce;
}

// Fields 6 to 12, never quoted and holding no comma, in their order.
enum Pole { Predcislie, CisloUctu, KodBanky, Iban, Variabilny, Specificky, Konstantny, pocetPoli };

// The width each of fields 6 to 12 takes in the "075" record (IBAN is not written).
constexpr std::array<std::size_t, pocetPoli> sirkyPoli = {
    6, 10, sirkaKoduBankyAbo, 0, sirkaVariabilnehoAbo, sirkaSpecifickehoAbo, sirkaKonstantnehoAbo};

// The bytes of a record up to the quote that opens the amount: both dates,
// the commas after them and that quote.
constexpr std::size_t dlzkaZaciatku = 23;

// What one test of a record text finds, viewing that text.
struct ZaznamTatra {
    const char* spracovanie = nullptr;  // dd.mm.yyyy
    const char* zuctovanie = nullptr;  // dd.mm.yyyy
    std::string_view jednotky;  // as written, a sign included
    std::string_view stotiny;
    // The amount in hundredths, read as the walk goes: exact when the units
    // are digits alone and fit the statement's amount.
    std::uint64_t suma = 0;
    std::string_view mena;
    bool debet = false;
    // Fields 6 to 12 trimmed; IBAN as it stands. A numeric one that is not
    // digits only between its blanks clears `poliaSaZmestia` (and its view
    // then serves nothing).
    std::array<std::string_view, pocetPoli> polia;
    std::string_view informacia;  // without its quotes
    std::string_view popis;  // as it stands, quotes included
    // The record test lets through a sign before either date or the amount
    // and any bytes in fields 6 to 12; a statement carries none of them, nor
    // a field longer than its own.
    bool datumyCiselne = false;
    bool sumaSoZnamienkom = false;
    bool poliaSaZmestia = false;
    // Set with the answer -1 when the open field is Popis (else it is
    // Referencia or Informácia).
    bool otvorenyPopis = false;
};

bool cislica(char znak) { return znak >= '0' && znak <= '9'; }
bool znamienko(char znak) { return znak == '+' || znak == '-'; }
bool prazdny(char znak) { return static_cast<unsigned char>(znak) <= 32; }

// The first bytes of a record: both dates dd.mm.yyyy, the comma after each
// and the quote that opens the amount. The digits of each date must read as
// one integer, so its day may begin with a sign. Every one of these bytes is
// fixed to a non-blank, so a line that does not begin this way never begins
// a record, whatever follows.
bool zaciatokZaznamu(std::string_view t, ZaznamTatra& z)
{
    if (t.size() < dlzkaZaciatku) return false;
    const char* d = t.data();
    for (const std::size_t i : {1, 3, 4, 6, 7, 8, 9})
        if (!cislica(d[i]) || !cislica(d[11 + i])) return false;
    if (!(cislica(d[0]) || znamienko(d[0])) || !(cislica(d[11]) || znamienko(d[11])) || d[2] != '.'
        || d[5] != '.' || d[10] != ',' || d[13] != '.' || d[16] != '.' || d[21] != ',' || d[22] != '"')
        return false;
    z.spracovanie = d;
    z.zuctovanie = d + 11;
    z.datumyCiselne = cislica(d[0]) && cislica(d[11]);
    return true;
}

// The walk through a record hands its position from field to field: each
// step below takes the position where its field begins and answers the
// position after the field's comma, or nullptr when the field does not end
// the way the record test requires.

// The first `znak` from `od` on, or `koniec`. For the longer fields (IBAN and
// the texts): memchr looks at many bytes at a time.
const char* najdi(const char* od, const char* koniec, char znak)
{
    const void* najdeny = std::memchr(od, znak, std::size_t(koniec - od));
    return najdeny ? static_cast<const char*>(najdeny) : koniec;
}

// A field of any bytes up to the next comma; many are empty.
const char* pole(const char* p, const char* koniec, std::string_view& hodnota)
{
    const char* ciarka = p != koniec && *p == ',' ? p : najdi(p, koniec, ',');
    if (ciarka == koniec) return nullptr;
    hodnota = std::string_view(p, ciarka);
    return ciarka + 1;
}

// One of fields 6 to 12 but IBAN: its content is no part of the record test,
// but the statement carries it trimmed, of digits only and at most `sirka`
// of them, so the walk to its comma keeps it trimmed and clears `zmestiSa`
// when it is anything but blanks, digits and blanks, or too long.
const char* ciselnePole(const char* p, const char* koniec, std::size_t sirka, std::string_view& hodnota,
                        bool& zmestiSa)
{
    const char* zaciatok = p;
    while (p != koniec && cislica(*p)) ++p;
    const char* koniecCislic = p;
    if (p == koniec || *p != ',') {
        // Not digits alone: blanks may stand around them.
        if (p == zaciatok) {
            while (p != koniec && prazdny(*p)) ++p;
            zaciatok = p;
            while (p != koniec && cislica(*p)) ++p;
            koniecCislic = p;
        }
        while (p != koniec && prazdny(*p)) ++p;
        if (p == koniec || *p != ',') {
            zmestiSa = false;
            return pole(p, koniec, hodnota);
        }
    }
    hodnota = std::string_view(zaciatok, koniecCislic);
    if (hodnota.size() > sirka) zmestiSa = false;
    return p + 1;
}

// Referencia platiteľa and Informácia pre príjemcu: a quoted field ends at
// the first quote followed by a comma; one still open continues on the next
// line (-1).
struct PoleVUvodzovkach {
    const char* za;  // after its comma
    int vysledok;  // as the record test answers: 1, 0 or -1
};
PoleVUvodzovkach poleVUvodzovkach(const char* p, const char* koniec, std::string_view& hodnota)
{
    if (p == koniec || *p != '"') {
        const char* za = pole(p, koniec, hodnota);
        return {za, za ? 1 : 0};
    }
    for (const char* q = p + 1;; ++q) {
        q = najdi(q, koniec, '"');
        if (koniec - q < 2) return {nullptr, -1};
        if (q[1] == ',') {
            hodnota = std::string_view(p + 1, q);
            return {q + 2, 1};
        }
    }
}

// The amount after the opening quote: whole units (a sign may lead them), a
// comma, exactly two decimals, the closing quote and a comma.
const char* suma(const char* p, const char* koniec, ZaznamTatra& z)
{
    const char* zaciatok = p;
    z.sumaSoZnamienkom = p != koniec && znamienko(*p);
    if (z.sumaSoZnamienkom) ++p;
    std::uint64_t jednotky = 0;
    for (; p != koniec && cislica(*p); ++p) jednotky = jednotky * 10 + std::uint64_t(*p - '0');
    if (p == zaciatok || koniec - p < 5 || p[0] != ',' || !cislica(p[1]) || !cislica(p[2]) || p[3] != '"'
        || p[4] != ',')
        return nullptr;
    z.jednotky = std::string_view(zaciatok, p);
    z.stotiny = std::string_view(p + 1, 2);
    z.suma = jednotky * 100 + std::uint64_t(p[1] - '0') * 10 + std::uint64_t(p[2] - '0');
    return p + 5;
}

// The currency: exactly three bytes before the next comma.
const char* mena(const char* p, const char* koniec, ZaznamTatra& z)
{
    if (koniec - p < 4 || p[0] == ',' || p[1] == ',' || p[2] == ',' || p[3] != ',') return nullptr;
    z.mena = std::string_view(p, 3);
    return p + 4;
}

const char* typ(const char* p, const char* koniec, ZaznamTatra& z)
{
    const std::string_view zvysok(p, koniec - p);
    z.debet = zvysok.starts_with("Debet,");
    if (z.debet) return p + 6;
    return zvysok.starts_with("Kredit,") ? p + 7 : nullptr;
}

// The test of a record text, walking it once: 1 for a complete valid record,
// 0 for an invalid one, -1 when a quoted field is still open at its end. `z`
// keeps what it found, viewing `t`.
int rozober(std::string_view t, ZaznamTatra& z)
{
    z.otvorenyPopis = false;
    if (!zaciatokZaznamu(t, z)) return 0;
    const char* const koniec = t.data() + t.size();
    const char* p = suma(t.data() + dlzkaZaciatku, koniec, z);
    if (p) p = mena(p, koniec, z);
    if (p) p = typ(p, koniec, z);
    z.poliaSaZmestia = true;
    for (std::size_t i = 0; p && i < pocetPoli; ++i)
        p = i == Iban ? pole(p, koniec, z.polia[i])
                      : ciselnePole(p, koniec, sirkyPoli[i], z.polia[i], z.poliaSaZmestia);
    if (!p) return 0;

    std::string_view referencia;
    const PoleVUvodzovkach poReferencii = poleVUvodzovkach(p, koniec, referencia);
    if (poReferencii.vysledok != 1) return poReferencii.vysledok;
    const PoleVUvodzovkach poInformacii = poleVUvodzovkach(poReferencii.za, koniec, z.informacia);
    if (poInformacii.vysledok != 1) return poInformacii.vysledok;

    z.popis = std::string_view(poInformacii.za, koniec);
    if (z.popis.empty()) return 0;
    z.otvorenyPopis = z.popis.front() == '"' && (z.popis.size() == 1 || z.popis.back() != '"');
    return z.otvorenyPopis ? -1 : 1;
}

// Only a line that holds a quote followed by a comma can close an open
// Referencia or Informácia, and only one that ends with a quote can close
// Popis: other lines leave a record's test at -1.
bool drziKoniecPolaVUvodzovkach(std::string_view riadok)
{
    return riadok.find("\",") != std::string_view::npos;
}
bool mozeUzavriet(const ZaznamTatra& z, std::string_view riadok)
{
    return z.otvorenyPopis ? riadok.ends_with('"') : drziKoniecPolaVUvodzovkach(riadok);
}

// The record test lets through values that the statement cannot carry: a
// signed amount (the export gives the direction in Typ only), an amount of
// more than 12 digits, a date with a sign, and fields 6 to 12 that are longer
// than their ABO fields or hold a non-digit. A written record would then be
// longer than 128 bytes or hold a non-digit in a numeric field.
bool hodnotySaZmestia(const ZaznamTatra& z)
{
    return z.datumyCiselne && !z.sumaSoZnamienkom && z.poliaSaZmestia
        && z.jednotky.size() + z.stotiny.size() <= sirkaSumyAbo;
}

std::string_view text(const ZaznamTatra& z)
{
    const std::string_view informacia = orez(z.informacia);
    if (!informacia.empty()) return informacia;
    // A quoted Popis always ends with its closing quote (its test says so).
    if (z.popis.front() == '"') return orez(z.popis.substr(1, z.popis.size() - 2));
    return orez(z.popis);
}

// The processing date key yyyymmdd of a record's first line, as the file key
// takes it.
std::string klucRiadku(std::string_view riadok)
{
    std::string kluc;
    datumovyKluc(riadok, kluc);
    return kluc;
}

// A file lists its transactions newest first when its first record's date
// key, read as a number, is greater than its last record's.
bool odNajnovsieho(std::string_view prvyRiadok, std::string_view poslednyRiadok)
{
    return atolHodnota(klucRiadku(prvyRiadok)) > atolHodnota(klucRiadku(poslednyRiadok));
}

// The kept strings of the transaction are filled in place: a text of a
// fixed length keeps its size from record to record and is only written
// over; one of varying length is appended to its emptied room.
char* miesto(std::string& ciel, std::size_t dlzka)
{
    if (ciel.size() != dlzka) ciel.resize(dlzka);
    return ciel.data();
}
void prirad(std::string& ciel, std::string_view hodnota)
{
    // Most symbols are empty: such a value costs no call.
    if (hodnota.empty())
        ciel.clear();
    else
        ciel.assign(hodnota.data(), hodnota.size());
}

// The yyyymmdd keys of the record's dates dd.mm.yyyy, whose digits its test found.
void datumy(const ZaznamTatra& z, Transakcia& t)
{
    for (std::string* kluc : {&t.rezDatum, &t.datum, &t.datum2}) {
        const char* d = kluc == &t.datum2 ? z.zuctovanie : z.spracovanie;
        char* k = miesto(*kluc, 8);
        std::copy_n(d + 6, 4, k);
        std::copy_n(d + 3, 2, k + 4);
        std::copy_n(d, 2, k + 6);
    }
}

// The amount's units and two decimals as one text, and the hundredths that
// text reads as.
void suma(const ZaznamTatra& z, Transakcia& t)
{
    char* p = std::copy(z.jednotky.begin(), z.jednotky.end(), miesto(t.sumaText, z.jednotky.size() + 2));
    p[0] = z.stotiny[0];
    p[1] = z.stotiny[1];
    t.suma = std::int64_t(z.suma);
}

// The counter-account: Predčíslie filled with "0" to 6 and Číslo účtu to 10
// (both fit), in the internal order of Tatra banka's ABO files that
// vnutornePoradie gives, written at once into the kept text.
void protiucet(std::string_view predcislie, std::string_view cislo, std::string& ciel)
{
    char ucet[16];
    std::fill_n(ucet, 16, '0');
    std::copy(predcislie.begin(), predcislie.end(), ucet + 6 - predcislie.size());
    std::copy(cislo.begin(), cislo.end(), ucet + 16 - cislo.size());
    static constexpr std::array<std::uint8_t, 16> poradie = {16, 14, 15, 12, 7, 8, 9, 10,
                                                             11, 13, 1,  2,  3, 4, 5, 6};
    char* p = miesto(ciel, 16);
    for (std::size_t i = 0; i < poradie.size(); ++i) p[i] = ucet[poradie[i] - 1];
}

// Reads the records of one file and hands each over in statement order.
class CitanieTatraCsv {
public:
    CitanieTatraCsv(const Riadky& riadky, PrijemcaTransakcii& prijemca)
        : m_riadky(riadky), m_prijemca(prijemca)
    {
    }

    bool citaj(KlucSuboru& kluc);

private:
    bool citajOdZaciatku(std::size_t zaciatokPosledneho, const ZaznamTatra& posledny, KlucSuboru& kluc);
    bool citajOdKonca(std::size_t zaciatokPosledneho, const ZaznamTatra& posledny);
    int citajDopredu(std::size_t od, ZaznamTatra& z, std::size_t& dalsi);
    std::size_t zaciatokZaznamuNa(std::size_t posledny, ZaznamTatra& z, std::string& zaznam);
    bool konciNa(std::size_t zaciatok, std::size_t posledny, ZaznamTatra& z, std::string& zaznam);
    bool odovzdaj(const ZaznamTatra& z);

    const Riadky& m_riadky;
    PrijemcaTransakcii& m_prijemca;
    // The text of a record that spans lines, joined with a blank for each line break.
    std::string m_zaznam;
    // The same for the file's last record read from the bottom, which a file
    // read from the top takes over when it comes to it.
    std::string m_posledny;
    // Reading up: the lines below the one tried that can close an open
    // quoted field, nearest last.
    std::vector<std::size_t> m_uzatvaraReferenciuAleboInformaciu;
    std::vector<std::size_t> m_uzatvaraPopis;
    SumyAbo m_sumy;
    // Kept from record to record: its strings keep their room.
    Transakcia m_transakcia;
};

bool CitanieTatraCsv::citaj(KlucSuboru& kluc)
{
    // The direction is settled before any record is handed over: the first
    // record's date against the last record's, found from the bottom.
    ZaznamTatra posledny;
    const std::size_t zaciatokPosledneho = zaciatokZaznamuNa(m_riadky.size() - 1, posledny, m_posledny);
    if (zaciatokPosledneho == 0) return false;
    if (odNajnovsieho(m_riadky[1], m_riadky[zaciatokPosledneho])) {
        kluc.datum = klucRiadku(m_riadky[1]);
        kluc.oddelovac = '>';
        return citajOdKonca(zaciatokPosledneho, posledny);
    }
    return citajOdZaciatku(zaciatokPosledneho, posledny, kluc);
}

// A file listed oldest first, from line 2 down. Its last record read from
// the top should be the one found from the bottom; where that one only ends
// another record's text, the last record read from the top may date the
// file otherwise, and a file whose direction changes with it is not read.
bool CitanieTatraCsv::citajOdZaciatku(std::size_t zaciatokPosledneho, const ZaznamTatra& posledny,
                                      KlucSuboru& kluc)
{
    ZaznamTatra z;
    std::size_t zaciatok = 1;
    for (std::size_t i = 1, dalsi = 1; i < m_riadky.size(); i = dalsi) {
        zaciatok = i;
        if (i == zaciatokPosledneho) {
            if (!odovzdaj(posledny)) return false;
            break;
        }
        if (citajDopredu(i, z, dalsi) != 1 || !odovzdaj(z)) return false;
    }
    if (zaciatok != zaciatokPosledneho && odNajnovsieho(m_riadky[1], m_riadky[zaciatok])) return false;
    kluc.datum = klucRiadku(m_riadky[zaciatok]);
    kluc.oddelovac = '<';
    return true;
}

// A file listed newest first, from its last record up. Each record found
// from the bottom reads the same from its first line down, so when the
// records so found fill the file from line 2, they are the file's records
// read from the top; when they do not, the file reads otherwise from the top
// than from the bottom and is not read.
bool CitanieTatraCsv::citajOdKonca(std::size_t zaciatokPosledneho, const ZaznamTatra& posledny)
{
    if (!odovzdaj(posledny)) return false;
    ZaznamTatra z;
    for (std::size_t zaciatok = zaciatokPosledneho; zaciatok > 1;) {
        zaciatok = zaciatokZaznamuNa(zaciatok - 1, z, m_zaznam);
        if (zaciatok == 0 || !odovzdaj(z)) return false;
    }
    return true;
}

// Reads the record that begins at line `od` the way the file test reads it:
// while a quoted field is open, joins the next line with a blank. Each test
// that runs closes a field (mozeUzavriet), so a record is tested at most four
// times however many lines it spans. `dalsi` is the line after its last line.
int CitanieTatraCsv::citajDopredu(std::size_t od, ZaznamTatra& z, std::size_t& dalsi)
{
    int vysledok = rozober(m_riadky[od], z);
    std::size_t posledny = od;
    if (vysledok == -1) {
        m_zaznam.assign(m_riadky[od]);
        while (vysledok == -1 && posledny + 1 < m_riadky.size()) {
            const std::string_view riadok = m_riadky[++posledny];
            (m_zaznam += ' ') += riadok;
            if (mozeUzavriet(z, riadok)) vysledok = rozober(m_zaznam, z);
        }
    }
    dalsi = posledny + 1;
    return vysledok;
}

// The first line of the record that ends on line `posledny`, read from the
// bottom: the nearest line at or above it from which reading down, as the
// file test does, gives a complete record that ends exactly there. 0 when
// no line does. `z` keeps that record's test, viewing the line or, for a
// record that spans lines, `zaznam`.
//
// A line above the record's own is tried only as far as it must be: a line
// that does not begin a record at once, and one whose open field the lines
// below cannot close by `posledny`, without joining anything. So a record is
// joined only when it may end there, and a hostile file of lines that begin
// like records, or of a quote left open, costs one pass.
std::size_t CitanieTatraCsv::zaciatokZaznamuNa(std::size_t posledny, ZaznamTatra& z, std::string& zaznam)
{
    // Most records are one line. A record whose first line is its last
    // reads whole there; one that continues cannot end on its first line.
    if (rozober(m_riadky[posledny], z) == 1) return posledny;
    m_uzatvaraReferenciuAleboInformaciu.clear();
    m_uzatvaraPopis.clear();
    for (std::size_t i = posledny; i >= 1; --i) {
        const std::string_view riadok = m_riadky[i];
        if (i < posledny && rozober(riadok, z) == -1 && konciNa(i, posledny, z, zaznam)) return i;
        if (drziKoniecPolaVUvodzovkach(riadok)) m_uzatvaraReferenciuAleboInformaciu.push_back(i);
        if (riadok.ends_with('"')) m_uzatvaraPopis.push_back(i);
    }
    return 0;
}

// Whether the record that begins at line `zaciatok` (`z` holds the test of
// that line, -1) reads down to exactly line `posledny`: its open field closes
// only on a line that can close it, and each test there either ends the record
// or leaves another field open.
bool CitanieTatraCsv::konciNa(std::size_t zaciatok, std::size_t posledny, ZaznamTatra& z, std::string& zaznam)
{
    // The lines that can close a field, below `riadok`, within the record.
    const auto prvyPod = [](const std::vector<std::size_t>& riadky, std::size_t riadok) {
        const auto hranica =
            std::partition_point(riadky.begin(), riadky.end(), [&](std::size_t r) { return r > riadok; });
        return hranica == riadky.begin() ? std::size_t(0) : *(hranica - 1);
    };
    std::size_t spojeneDo = zaciatok;
    for (;;) {
        const std::size_t dalsi =
            prvyPod(z.otvorenyPopis ? m_uzatvaraPopis : m_uzatvaraReferenciuAleboInformaciu, spojeneDo);
        if (dalsi == 0) return false;
        // An open Popis ends with the first line that ends with a quote, and
        // the record is then complete; only the record that ends here is joined.
        if (z.otvorenyPopis && dalsi != posledny) return false;
        if (spojeneDo == zaciatok) zaznam.assign(m_riadky[zaciatok]);
        for (std::size_t i = spojeneDo + 1; i <= dalsi; ++i) (zaznam += ' ') += m_riadky[i];
        spojeneDo = dalsi;
        const int vysledok = rozober(zaznam, z);
        if (vysledok != -1) return vysledok == 1 && dalsi == posledny;
    }
}

// Checks that the record's values fit the statement and hands its transaction over.
bool CitanieTatraCsv::odovzdaj(const ZaznamTatra& z)
{
    if (!hodnotySaZmestia(z)) return false;
    Transakcia& t = m_transakcia;
    datumy(z, t);
    suma(z, t);
    t.debet = z.debet;
    std::copy_n(z.mena.data(), 3, miesto(t.mena, 3));
    protiucet(z.polia[Predcislie], z.polia[CisloUctu], t.protiucet);
    prirad(t.kodBanky, z.polia[KodBanky]);
    prirad(t.variabilnySymbol, z.polia[Variabilny]);
    prirad(t.specifickySymbol, z.polia[Specificky]);
    prirad(t.konstantnySymbol, z.polia[Konstantny]);
    prirad(t.text, text(z));
    return m_sumy.pripocitaj(t) && m_prijemca.prijmi(t);
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    // The account number is the task's: digits, at most the 16 of an ABO
    // account (the task editor allows 10).
    if (nastavenia.cisloUctu.size() > 16 || !ibaCislice(nastavenia.cisloUctu) || riadky.size() < 2
        || riadky[0] != stlpce())
        return false;
    hlavicka.vlastnyUcet = vnutornePoradie(doplnNulami(nastavenia.cisloUctu, 16));
    return CitanieTatraCsv(riadky, prijemca).citaj(kluc);
}

}  // namespace

int KontrolaRiadkuTatraCsv(std::string_view zaznam)
{
    ZaznamTatra z;
    return rozober(zaznam, z);
}

const Banka KonverziaTatraCsv{"csv", formatAbo, citaj};

}  // namespace kasamat
