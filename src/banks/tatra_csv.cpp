#include "banks/tatra_csv.h"

#include <array>

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

using kasamat::datumovyKluc;

std::string datumovyKluc(std::string_view datum)
{
    std::string kluc;
    datumovyKluc(datum, kluc);
    return kluc;
}

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

// Reads the record that begins at line `od`, joining each further line with
// a blank while a quoted field is open; `z` keeps the fields of the last test,
// viewing `zaznam`. Only a line that holds a quote
// followed by a comma can close Referencia or Informácia, and only one that
// ends with a quote can close Popis; other lines leave the answer at -1 and
// are joined untested. Each test that does run closes a field, so a record
// is tested at most four times however many lines it spans, and a hostile
// file cannot make the joining quadratic. `dalsi` is the line after the
// record's last line.
int citajDopredu(const Riadky& riadky, std::size_t od, std::string& zaznam, ZaznamTatra& z,
                 std::size_t& dalsi)
{
    zaznam.assign(riadky[od]);
    int vysledok = rozober(zaznam, z);
    std::size_t posledny = od;
    while (vysledok == -1 && posledny + 1 < riadky.size()) {
        const std::string_view riadok = riadky[++posledny];
        (zaznam += ' ') += riadok;
        const bool mozeUzavriet =
            z.otvorenyPopis ? riadok.ends_with('"') : riadok.find("\",") != std::string_view::npos;
        if (mozeUzavriet) vysledok = rozober(zaznam, z);
    }
    dalsi = posledny + 1;
    return vysledok;
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

// Hands the fields of each record, as its one passing test kept them, to
// `spracuj` in statement order: "<" files from line 2 down, ">" files from the
// last line up, each record then assembled from its last line upwards. False
// when a record does not assemble or `spracuj` refuses it.
template <typename Spracuj>
bool prejdiZaznamy(const Riadky& riadky, char oddelovac, Spracuj&& spracuj)
{
    std::string zaznam;
    ZaznamTatra z;
    if (oddelovac != '>') {
        for (std::size_t i = 1, dalsi = 1; i < riadky.size(); i = dalsi)
            if (citajDopredu(riadky, i, zaznam, z, dalsi) != 1 || !spracuj(z)) return false;
        return true;
    }
    for (std::size_t koniec = riadky.size(); koniec > 1;) {
        std::size_t zaciatok = koniec - 1;
        for (;;) {
            // Only a line that begins like a record can begin one, so the
            // others are stepped over untested: a hostile file whose lines
            // never close a quote costs one pass, not one test per line.
            if (zaciatokZaznamu(riadky[zaciatok])) {
                zaznam.assign(riadky[zaciatok]);
                for (std::size_t i = zaciatok + 1; i < koniec; ++i) (zaznam += ' ') += riadky[i];
                if (rozober(zaznam, z) == 1) break;
            }
            if (zaciatok == 1) return false;
            --zaciatok;
        }
        if (!spracuj(z)) return false;
        koniec = zaciatok;
    }
    return true;
}

bool citajTransakcie(const Riadky& riadky, char oddelovac, PrijemcaTransakcii& prijemca)
{
    SumyAbo sumy;
    Transakcia t;
    std::string ucet;
    return prejdiZaznamy(riadky, oddelovac, [&](const ZaznamTatra& z) {
        if (!hodnotySaZmestia(z)) return false;
        nacitajTransakciu(z, t, ucet);
        return sumy.pripocitaj(t) && prijemca.prijmi(t);
    });
}

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    if (riadky.size() < 2 || riadky[0] != stlpce()) return false;
    std::string zaznam;
    ZaznamTatra z;
    std::size_t poslednyZaciatok = 1;
    for (std::size_t i = 1, dalsi = 1; i < riadky.size(); i = dalsi) {
        if (citajDopredu(riadky, i, zaznam, z, dalsi) != 1) return false;
        poslednyZaciatok = i;
    }
    // The newest date is the first record's when the file lists newest
    // first; the last record may span lines, so its date is on its first.
    const std::string prvy = datumovyKluc(riadky[1]);
    const std::string posledny = datumovyKluc(riadky[poslednyZaciatok]);
    const bool odNajnovsieho = atolHodnota(prvy) > atolHodnota(posledny);
    kluc.datum = odNajnovsieho ? prvy : posledny;
    kluc.oddelovac = odNajnovsieho ? '>' : '<';
    return true;
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    // The account number is the task's: digits, at most the 16 of an ABO
    // account (the task editor allows 10).
    if (nastavenia.cisloUctu.size() > 16 || !ibaCislice(nastavenia.cisloUctu) || !test(riadky, kluc))
        return false;
    hlavicka.vlastnyUcet = vnutornePoradie(doplnNulami(nastavenia.cisloUctu, 16));
    return citajTransakcie(riadky, kluc.oddelovac, prijemca);
}

}  // namespace

int KontrolaRiadkuTatraCsv(std::string_view zaznam)
{
    ZaznamTatra z;
    return rozober(zaznam, z);
}

const Banka KonverziaTatraCsv{"csv", formatAbo, citaj};

}  // namespace kasamat
