#include "banks/tatra_csv.h"

#include <algorithm>
#include <array>
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

struct ZaznamTatra {
    std::string_view spracovanie;  // dd.mm.yyyy
    std::string_view zuctovanie;  // dd.mm.yyyy
    std::string_view jednotky;
    std::string_view stotiny;
    std::string_view mena;
    bool debet = false;
    // Predčíslie, Číslo účtu, Kód banky, IBAN, Variabilný, Špecifický and
    // Konštantný symbol: never quoted, as they stand.
    std::array<std::string_view, 7> polia;
    std::string_view informacia;  // without its quotes
    std::string_view popis;  // as it stands, quotes included
    // Set with the answer -1 when the open field is Popis (else it is
    // Referencia or Informácia).
    bool otvorenyPopis = false;
};

enum Pole { Predcislie, CisloUctu, KodBanky, Iban, Variabilny, Specificky, Konstantny };

// The width each of fields 6 to 12 takes in the "075" record (IBAN is not written).
constexpr std::array<std::size_t, 7> sirkyPoli = {
    6, 10, sirkaKoduBankyAbo, 0, sirkaVariabilnehoAbo, sirkaSpecifickehoAbo, sirkaKonstantnehoAbo};

// The date key is digits only when each of its parts is.
bool datumCiselny(std::string_view datum)
{
    return ibaCislice(usek(datum, 7, 4)) && ibaCislice(usek(datum, 4, 2)) && ibaCislice(usek(datum, 1, 2));
}

// The first 23 bytes of a record: both dates, their commas and the quote
// that opens the amount. Every byte of them is fixed to a non-blank, so a
// line that does not begin this way never begins a record, whatever follows.
bool zaciatokZaznamu(std::string_view t)
{
    return citaSaAkoCislo(usek(t, 1, 2), usek(t, 4, 2), usek(t, 7, 4))
        && citaSaAkoCislo(usek(t, 12, 2), usek(t, 15, 2), usek(t, 18, 4)) && usek(t, 3, 1) == "."
        && usek(t, 6, 1) == "." && usek(t, 11, 1) == "," && usek(t, 14, 1) == "." && usek(t, 17, 1) == "."
        && usek(t, 22, 2) == ",\"";
}

// Takes the text up to the next "," as a field and drops it with its ",".
bool dalsiePole(std::string_view& zvysok, std::string_view& pole)
{
    const std::size_t koniec = zvysok.find(',');
    if (koniec == std::string_view::npos) return false;
    pole = zvysok.substr(0, koniec);
    zvysok.remove_prefix(koniec + 1);
    return true;
}

// Referencia platiteľa and Informácia pre príjemcu: a quoted field ends at
// the first quote followed by a comma; one still open continues on the
// next line (-1).
int dalsiePoleVUvodzovkach(std::string_view& zvysok, std::string_view& pole)
{
    if (!zacinaNa(zvysok, "\"")) return dalsiePole(zvysok, pole) ? 1 : 0;
    const std::size_t koniec = zvysok.find("\",", 1);
    if (koniec == std::string_view::npos) return -1;
    pole = zvysok.substr(1, koniec - 1);
    zvysok.remove_prefix(koniec + 2);
    return 1;
}

// Walks a record the way its test does and keeps the fields.
int rozober(std::string_view t, ZaznamTatra& z)
{
    z.otvorenyPopis = false;
    if (!zaciatokZaznamu(t)) return 0;
    z.spracovanie = t.substr(0, 10);
    z.zuctovanie = t.substr(11, 10);
    std::string_view zvysok = t.substr(23);

    const std::size_t ciarka = zvysok.find(',');
    if (ciarka == std::string_view::npos || ciarka < 1) return 0;
    z.jednotky = zvysok.substr(0, ciarka);
    z.stotiny = zvysok.substr(ciarka + 1, 2);
    if (!citaSaAkoCislo(z.jednotky, z.stotiny) || usek(zvysok, ciarka + 4, 2) != "\",") return 0;
    zvysok.remove_prefix(ciarka + 5);

    if (zvysok.find(',') != 3) return 0;
    z.mena = zvysok.substr(0, 3);
    zvysok.remove_prefix(4);

    std::string_view typ;
    if (!dalsiePole(zvysok, typ) || (typ != "Debet" && typ != "Kredit")) return 0;
    z.debet = typ == "Debet";

    for (std::string_view& pole : z.polia)
        if (!dalsiePole(zvysok, pole)) return 0;

    std::string_view referencia;
    if (const int v = dalsiePoleVUvodzovkach(zvysok, referencia); v != 1) return v;
    if (const int v = dalsiePoleVUvodzovkach(zvysok, z.informacia); v != 1) return v;

    z.popis = zvysok;
    if (z.popis.empty()) return 0;
    z.otvorenyPopis = zacinaNa(z.popis, "\"") && (z.popis.size() == 1 || z.popis.back() != '"');
    return z.otvorenyPopis ? -1 : 1;
}

// The record test lets through values that the statement cannot carry: a
// signed amount (the export gives the direction in Typ only), an amount of
// more than 12 digits, a date with a sign, and fields 6 to 12 that are longer
// than their ABO fields or hold a non-digit. A written record would then be
// longer than 128 bytes or hold a non-digit in a numeric field.
bool hodnotySaZmestia(const ZaznamTatra& z)
{
    if (!datumCiselny(z.spracovanie) || !datumCiselny(z.zuctovanie) || !ibaCislice(z.jednotky)
        || !ibaCislice(z.stotiny) || z.jednotky.size() + z.stotiny.size() > sirkaSumyAbo)
        return false;
    for (std::size_t i = 0; i < z.polia.size(); ++i) {
        if (i == Iban) continue;
        const std::string_view hodnota = orez(z.polia[i]);
        if (hodnota.size() > sirkyPoli[i] || !ibaCislice(hodnota)) return false;
    }
    return true;
}

std::string_view text(const ZaznamTatra& z)
{
    const std::string_view informacia = orez(z.informacia);
    if (!informacia.empty()) return informacia;
    // A quoted Popis always ends with its closing quote (its test says so).
    if (zacinaNa(z.popis, "\"")) return orez(z.popis.substr(1, z.popis.size() - 2));
    return orez(z.popis);
}

// Fills the reader's kept transaction (its strings keep their capacity);
// `ucet` is working space for the plain 16-digit counter-account.
void nacitajTransakciu(const ZaznamTatra& z, Transakcia& t, std::string& ucet)
{
    datumovyKluc(z.spracovanie, t.rezDatum);
    t.datum = t.rezDatum;
    datumovyKluc(z.zuctovanie, t.datum2);
    t.sumaText.assign(z.jednotky).append(z.stotiny);
    t.suma = atolHodnota(t.sumaText);
    t.debet = z.debet;
    t.mena.assign(z.mena);
    ucet.clear();
    pridajNulami(ucet, orez(z.polia[Predcislie]), 6);
    pridajNulami(ucet, orez(z.polia[CisloUctu]), 10);
    t.protiucet.clear();
    pridajVnutornePoradie(t.protiucet, ucet);
    t.kodBanky.assign(orez(z.polia[KodBanky]));
    t.variabilnySymbol.assign(orez(z.polia[Variabilny]));
    t.specifickySymbol.assign(orez(z.polia[Specificky]));
    t.konstantnySymbol.assign(orez(z.polia[Konstantny]));
    t.text.assign(text(z));
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
    std::string m_ucet;
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
    m_uzatvaraReferenciuAleboInformaciu.clear();
    m_uzatvaraPopis.clear();
    for (std::size_t i = posledny; i >= 1; --i) {
        const std::string_view riadok = m_riadky[i];
        const int vysledok = rozober(riadok, z);
        if (vysledok == 1 && i == posledny) return i;
        if (vysledok == -1 && konciNa(i, posledny, z, zaznam)) return i;
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
    nacitajTransakciu(z, m_transakcia, m_ucet);
    return m_sumy.pripocitaj(m_transakcia) && m_prijemca.prijmi(m_transakcia);
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
