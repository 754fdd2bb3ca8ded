#include "banks/fio.h"

#include <algorithm>
#include <array>
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
    std::string_view jednotky;  // with the sign of a debit
    std::string_view stotiny;
    std::string_view protiucet;
    std::string_view kodBanky;
    std::string_view konstantny;
    std::string_view variabilny;
    std::string_view specificky;
    std::string_view identifikacia;
    std::string_view typ;
};

std::string spoj(std::string_view a, std::string_view b, std::string_view c = {})
{
    std::string vysledok(a);
    vysledok.append(b).append(c);
    return vysledok;
}

// Takes the text up to the next ";" as a field and drops it with its ";".
bool dalsiePole(std::string_view& zvysok, std::string_view& pole)
{
    const std::size_t koniec = zvysok.find(';');
    if (koniec == std::string_view::npos) return false;
    pole = zvysok.substr(0, koniec);
    zvysok.remove_prefix(koniec + 1);
    return true;
}

bool protiucetPlatny(std::string_view protiucet)
{
    const std::size_t pomlcka = protiucet.find('-');
    if (pomlcka == std::string_view::npos) return protiucet.size() <= 16 && ibaCislice(protiucet);
    const std::string_view predcislie = protiucet.substr(0, pomlcka);
    const std::string_view cislo = protiucet.substr(pomlcka + 1);
    return predcislie.size() <= 6 && citaSaAkoCislo(predcislie) && cislo.size() <= 10 && ibaCislice(cislo);
}

bool prazdneAleboCislo(std::string_view pole, std::size_t najviac)
{
    return pole.size() <= najviac && (pole.empty() || citaSaAkoCislo(pole));
}

// Walks a transaction line the way its test does and keeps the fields.
bool rozober(std::string_view riadok, RiadokFio& r)
{
    std::string_view prevod;
    if (!dalsiePole(riadok, prevod)) return false;
    if (!citaSaAkoCislo(usek(riadok, 1, 2), usek(riadok, 4, 2), usek(riadok, 7, 4))) return false;
    r.datum = riadok.substr(0, 10);
    riadok.remove_prefix(std::min<std::size_t>(11, riadok.size()));

    const std::size_t ciarka = riadok.find(',');
    if (ciarka == std::string_view::npos) return false;
    r.jednotky = riadok.substr(0, ciarka);
    r.stotiny = riadok.substr(ciarka + 1, 2);
    if (!citaSaAkoCislo(r.jednotky, r.stotiny)) return false;
    riadok.remove_prefix(std::min(ciarka + 4, riadok.size()));

    if (!dalsiePole(riadok, r.protiucet) || !protiucetPlatny(r.protiucet)) return false;
    if (!dalsiePole(riadok, r.kodBanky) || !prazdneAleboCislo(r.kodBanky, 6)) return false;
    if (!dalsiePole(riadok, r.konstantny) || !prazdneAleboCislo(r.konstantny, 4)) return false;
    if (!dalsiePole(riadok, r.variabilny) || r.variabilny.size() > 10 || !ibaCislice(r.variabilny))
        return false;
    if (!dalsiePole(riadok, r.specificky) || r.specificky.size() > 10 || !ibaCislice(r.specificky))
        return false;

    std::string_view vykonal, nazovProtiuctu, nazovBanky;
    return dalsiePole(riadok, r.identifikacia) && dalsiePole(riadok, r.typ) && dalsiePole(riadok, vykonal)
        && dalsiePole(riadok, nazovProtiuctu) && dalsiePole(riadok, nazovBanky) && riadok.empty();
}

std::string_view bezZnamienkaDebetu(std::string_view jednotky)
{
    return zacinaNa(jednotky, "-") ? jednotky.substr(1) : jednotky;
}

// The line test lets a sign through where the statement needs digits (a "+"
// before an amount, a bank code, a constant symbol or a prefix, a sign in the
// date); a written field would then hold a non-digit. The amount must also
// fit its 12 digits.
bool hodnotySaZmestia(const RiadokFio& r)
{
    // The date key is eight digits when its parts are whole and digits.
    const std::string_view den = usek(r.datum, 1, 2), mesiac = usek(r.datum, 4, 2), rok = usek(r.datum, 7, 4);
    const std::string_view jednotky = bezZnamienkaDebetu(r.jednotky);
    const std::size_t suma = jednotky.size() + r.stotiny.size();
    const std::size_t pomlcka = r.protiucet.find('-');
    const std::string_view predcislie =
        pomlcka == std::string_view::npos ? std::string_view() : r.protiucet.substr(0, pomlcka);
    return den.size() == 2 && mesiac.size() == 2 && rok.size() == 4 && ibaCislice(den) && ibaCislice(mesiac)
        && ibaCislice(rok) && suma > 0 && suma <= sirkaSumyAbo && ibaCislice(jednotky)
        && ibaCislice(r.stotiny) && ibaCislice(predcislie) && ibaCislice(r.kodBanky)
        && ibaCislice(r.konstantny);
}

// Fills the reader's kept transaction: its strings keep their capacity.
void nacitajTransakciu(const RiadokFio& r, Transakcia& t)
{
    datumovyKluc(r.datum, t.rezDatum);
    t.datum = t.rezDatum;
    t.datum2 = t.rezDatum;
    t.debet = zacinaNa(r.jednotky, "-");
    t.sumaText.assign(bezZnamienkaDebetu(r.jednotky)).append(r.stotiny);
    t.suma = atolHodnota(t.sumaText);
    const std::size_t pomlcka = r.protiucet.find('-');
    t.protiucet.clear();
    if (pomlcka == std::string_view::npos) {
        pridajNulami(t.protiucet, r.protiucet, 16);
    } else {
        pridajNulami(t.protiucet, r.protiucet.substr(0, pomlcka), 6);
        pridajNulami(t.protiucet, r.protiucet.substr(pomlcka + 1), 10);
    }
    t.kodBanky.assign(r.kodBanky);
    t.konstantnySymbol.assign(r.konstantny);
    t.variabilnySymbol.assign(r.variabilny);
    t.specifickySymbol.assign(r.specificky);
    t.text.assign(r.identifikacia.empty() ? r.typ : r.identifikacia);
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

// A file with no line between the column line and the sum line would make
// a statement of a lone "074" record, dated and named with nothing.
bool maTransakcie(const Riadky& riadky) { return riadky.size() > riadkovHlavicky + riadkovZaveru; }

// Hands over the transaction lines in file order (the exports list them
// oldest first); false when a value does not fit the statement.
bool citajTransakcie(const Riadky& riadky, std::int64_t pociatocny, PrijemcaTransakcii& prijemca)
{
    SumyAbo sumy(pociatocny);
    if (!sumy.platne()) return false;
    Transakcia t;
    for (std::size_t i = riadkovHlavicky; i + riadkovZaveru < riadky.size(); ++i) {
        RiadokFio r;
        if (!rozober(riadky[i], r) || !hodnotySaZmestia(r)) return false;
        nacitajTransakciu(r, t);
        if (!sumy.pripocitaj(t) || !prijemca.prijmi(t)) return false;
    }
    return true;
}

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    if (!skontrolujHlavicku(riadky) || !maTransakcie(riadky)) return false;
    const std::size_t posledny = riadky.size() - riadkovZaveru - 1;
    for (std::size_t i = riadkovHlavicky; i <= posledny; ++i)
        if (KontrolaRiadkuFio(riadky[i]) != 1) return false;
    RiadokFio r;
    rozober(riadky[posledny], r);
    datumovyKluc(r.datum, kluc.datum);
    kluc.oddelovac = ' ';
    return true;
}

// The holder's name stands after "Majiteľ účtu: " up to the first comma.
std::string_view nazovUctu(std::string_view riadok)
{
    const std::string_view zvysok = usek(riadok, 15, std::string_view::npos);
    const std::size_t ciarka = zvysok.find(',');
    return ciarka == std::string_view::npos ? std::string_view() : zvysok.substr(0, ciarka);
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie&, KlucSuboru& kluc, HlavickaSuboru& hlavicka,
           PrijemcaTransakcii& prijemca)
{
    const std::optional<std::int64_t> pociatocny = skontrolujHlavicku(riadky);
    if (!pociatocny || !test(riadky, kluc)) return false;
    hlavicka.vlastnyUcet = doplnNulami(usek(riadky[0], 39, 10), 16);
    hlavicka.nazovUctu = velkymiPismenami(nazovUctu(riadky[1]));
    hlavicka.pociatocnyZostatok = *pociatocny;
    return citajTransakcie(riadky, *pociatocny, prijemca);
}

}  // namespace

int KontrolaRiadkuFio(std::string_view riadok)
{
    RiadokFio r;
    return rozober(riadok, r) ? 1 : 0;
}

const Banka KonverziaFio{"csv", formatAbo, citaj};

}  // namespace kasamat
