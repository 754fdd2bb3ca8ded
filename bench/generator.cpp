#include "bench/generator.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "formats/cp1250.h"

namespace kasamat::bench {

namespace {

// splitmix64: small, fast and the same on every platform, unlike the
// distributions of <random>.
class Nahoda {
public:
    explicit Nahoda(std::uint64_t seed) : m_stav(seed) {}

    std::uint64_t dalsie()
    {
        std::uint64_t z = (m_stav += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::uint64_t pod(std::uint64_t n) { return dalsie() % n; }
    bool percent(unsigned p) { return pod(100) < p; }
    std::string cislice(std::size_t pocet)
    {
        std::string text(pocet, '0');
        for (char& c : text) c = char('0' + pod(10));
        return text;
    }
    // Between 1 and `najviac` digits.
    std::string cisliceDo(std::size_t najviac) { return cislice(1 + pod(najviac)); }
    template <typename T>
    const T& vyber(const std::vector<T>& zoznam)
    {
        return zoznam[pod(zoznam.size())];
    }

private:
    std::uint64_t m_stav;
};

std::vector<std::string> cp1250(std::initializer_list<const char*> texty)
{
    std::vector<std::string> vysledok;
    for (const char* text : texty) vysledok.push_back(cp1250ZUtf8(text));
    return vysledok;
}

// What an account of a small Slovak business shows in a month.
struct Texty {
    std::vector<std::string> ucely = cp1250({
        "Úhrada faktúry č. ",
        "Nájomné apríl ",
        "Daň z príjmov – preddavok ",
        "Vrátenie preplatku ",
        "Poplatok za vedenie účtu",
        "Mzda – Ľubomír Šťastný ",
        "Príspevok na stravovanie ",
        "Záloha na elektrinu, Žilina ",
        "Oprava vozidla Ďurčová ",
        "Predaj tovaru – dobierka č. ",
        "Odvody Sociálna poisťovňa ",
        "Zdravotné poistenie Dôvera ",
        "Úroky",
        "Splátka úveru č. ",
        "Členský príspevok – Ťahanovce ",
        "Kúpa kancelárskych potrieb ",
    });
    std::vector<std::string> mena = cp1250({
        "Mária Horváthová",
        "Ján Novák",
        "Ľubomír Šťastný",
        "Ďurčová Ivana",
        "Prenajímateľ s.r.o.",
        "Zuzana Kováčová",
        "Peter Čierny",
        "Účtovná kancelária Ôsmy, s.r.o.",
        "Slovenský plynárenský podnik",
        "Ťažba Štrba a.s.",
        "Róbert Žiak",
        "Obchod U Mamičky",
    });
    std::vector<std::string> banky = cp1250({
        "Slovenská sporiteľňa, a.s.",
        "Tatra banka, a.s.",
        "Všeobecná úverová banka, a.s.",
        "Československá obchodná banka, a.s.",
        "Poštová banka, a.s.",
        "Fio banka, a.s.",
    });
    std::vector<std::string> typyFio = cp1250({
        "Platba prevodom",
        "Príjem prevodom",
        "Platba kartou",
        "Poplatok",
        "Trvalý príkaz",
        "Inkaso",
    });
    std::vector<std::string> popisyTatra = cp1250({
        "Platba prevodom",
        "Platba kartou",
        "Inkaso",
        "Poplatok",
        "Trvalý príkaz",
        "Vklad hotovosti",
    });
    std::vector<std::string> bic{"GIBASKBX", "TATRSKBX", "SUBASKBX", "CEKOSKBX", "POBNSKBA", "FIOZSKBA"};
    std::vector<std::string> kodyBanky{"0900", "1100", "0200", "7500", "6500", "8330", "0720", "5200"};
    std::vector<std::string> meny{"EUR", "EUR", "EUR", "EUR", "EUR", "EUR", "CZK", "USD"};
    std::string koniecRiadku = "\r\n";
};

const Texty& texty()
{
    static const Texty texty;
    return texty;
}

// One generated payment; each layout writes the values its bank exports.
struct Platba {
    unsigned den = 0;
    bool debet = false;
    std::int64_t suma = 0;  // hundredths
    std::string mena;
    std::string predcislie;
    std::string cislo;
    std::string kodBanky;
    std::string ks;
    std::string vs;
    std::string ss;
    std::string ucel;
    std::string nazov;
    bool viacRiadkov = false;
};

Platba novaPlatba(Nahoda& n, unsigned den)
{
    const Texty& t = texty();
    Platba p;
    p.den = den;
    p.debet = n.percent(55);
    // Mostly small amounts, some large ones, a rare one of the twelve digits
    // an ABO amount field takes; a million of them still sum within the
    // fourteen digits of an ABO turnover.
    const unsigned velkost = unsigned(n.pod(100'000));
    p.suma = std::int64_t(velkost < 70'000       ? 1 + n.pod(100'000)
                              : velkost < 99'000 ? 1 + n.pod(10'000'000)
                              : velkost > 0      ? 1 + n.pod(1'000'000'000)
                                                 : 1 + n.pod(999'999'999'999ULL));
    p.mena = n.vyber(t.meny);
    const unsigned ucet = unsigned(n.pod(10));
    if (ucet > 0) {
        p.cislo = n.cislice(ucet < 3 ? 6 : 10);
        p.kodBanky = n.vyber(t.kodyBanky);
        if (ucet < 5) p.predcislie = n.cisliceDo(6);
    }
    if (n.percent(30)) p.ks = n.cislice(4);
    if (n.percent(60)) p.vs = n.cisliceDo(10);
    if (n.percent(15)) p.ss = n.cisliceDo(10);
    if (n.percent(85)) {
        p.ucel = n.vyber(t.ucely);
        if (p.ucel.back() == ' ') p.ucel += n.cisliceDo(8);
    }
    p.nazov = n.vyber(t.mena);
    p.viacRiadkov = n.percent(5);
    return p;
}

struct Datum {
    std::string text;  // dd.mm.yyyy
    unsigned d, m;
    int r;
};

Datum datum(unsigned den)
{
    using namespace std::chrono;
    const year_month_day ymd{sys_days{year{2019} / March / 1} + days{den}};
    Datum vysledok{{}, unsigned(ymd.day()), unsigned(ymd.month()), int(ymd.year())};
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", vysledok.d, vysledok.m, vysledok.r);
    vysledok.text = text;
    return vysledok;
}

std::string suma(std::int64_t stotiny)
{
    std::string text = std::to_string(stotiny / 100) + ",";
    const int zvysok = int(stotiny % 100);
    text += char('0' + zvysok / 10);
    text += char('0' + zvysok % 10);
    return text;
}

std::string orezane(std::string_view text, std::size_t najviac)
{
    return std::string(text.substr(0, najviac));
}

// Collects the lines and hands them to the stream in large pieces.
class Zapis {
public:
    explicit Zapis(std::ostream& vystup) : m_vystup(vystup) { m_buffer.reserve(1 << 20); }
    ~Zapis() { vyprazdni(); }

    // Appends a line with its CR LF.
    void riadok(std::string_view text)
    {
        m_buffer += text;
        m_buffer += texty().koniecRiadku;
        ++m_riadkov;
        if (m_buffer.size() >= (1 << 20)) vyprazdni();
    }
    // A line break inside a quoted field also starts a physical line.
    void zlom() { ++m_riadkov; }
    std::size_t riadkov() const { return m_riadkov; }

private:
    void vyprazdni()
    {
        m_vystup.write(m_buffer.data(), std::streamsize(m_buffer.size()));
        m_buffer.clear();
    }

    std::ostream& m_vystup;
    std::string m_buffer;
    std::size_t m_riadkov = 0;
};

// The days of the transactions in the order the file lists them.
class Poradie {
public:
    explicit Poradie(const ZadanieExportu& z) : m_z(z) {}
    std::size_t pocet() const { return m_z.transakcii; }
    unsigned den(std::size_t i) const
    {
        const std::size_t k = m_z.odNajnovsieho ? m_z.transakcii - 1 - i : i;
        const unsigned dni = m_z.dni == 0 ? 1 : m_z.dni;
        return m_z.prvyDen + unsigned(k * dni / (m_z.transakcii == 0 ? 1 : m_z.transakcii));
    }

private:
    const ZadanieExportu& m_z;
};

// ---- Tatra banka, older internet banking: fixed columns.

const std::string_view ciaraTatraTxt =
    "------------+------------+------------------+------+--------+--------+------------+---------+"
    "------------+------------+------------+------------------------------------------------------------------------+"
    "------------------------------------------------------------------------+";
const std::string_view nadpis1TatraTxt =
    "Datum       | Datum      | Suma             | Mena | Typ    | Prefix | Cislo      | Kod     | "
    "Konstantny | Variabilny | Specificky | Ucel Platby                                                            | "
    "Popis                                                                  |";
const std::string_view nadpis2TatraTxt =
    "Spracovania | Zuctovania |                  |      | Platby | Uctu   | Uctu       | Banky   | "
    "Symbol     | Symbol     | Symbol     |                                                                        | "
    "                                                                       |";

void vloz(std::string& riadok, std::size_t pozicia, std::string_view text)
{
    riadok.replace(pozicia - 1, text.size(), text);
}

std::size_t tatraTxt(const ZadanieExportu& z, Zapis& zapis)
{
    Nahoda n(z.seed);
    zapis.riadok(ciaraTatraTxt);
    zapis.riadok(nadpis1TatraTxt);
    zapis.riadok(nadpis2TatraTxt);
    zapis.riadok(ciaraTatraTxt);
    const Poradie poradie(z);
    std::string riadok;
    for (std::size_t i = 0; i < poradie.pocet(); ++i) {
        const Platba p = novaPlatba(n, poradie.den(i));
        riadok.assign(ciaraTatraTxt.size(), ' ');
        for (std::size_t oddelovac : {13, 26, 45, 52, 61, 70, 83, 93, 106, 119, 132, 205, 278})
            riadok[oddelovac - 1] = '|';
        vloz(riadok, 1, datum(p.den).text);
        vloz(riadok, 15, datum(p.den + (n.percent(20) ? 1 : 0)).text);
        const std::string s = suma(p.suma);
        vloz(riadok, 44 - s.size(), s);
        vloz(riadok, 47, p.mena);
        vloz(riadok, 54, p.debet ? "Debet" : "Kredit");
        vloz(riadok, 63, p.predcislie);
        vloz(riadok, 72, p.cislo);
        vloz(riadok, 85, p.kodBanky);
        vloz(riadok, 95, p.ks);
        vloz(riadok, 108, p.vs);
        vloz(riadok, 121, p.ss);
        vloz(riadok, 134, orezane(p.ucel, 70));
        vloz(riadok, 207, orezane(p.nazov, 70));
        zapis.riadok(riadok);
    }
    zapis.riadok(ciaraTatraTxt);
    return zapis.riadkov();
}

// ---- TrustPay: eight fields by semicolons, no header.

std::string protiucetTrustPay(Nahoda& n, const Platba& p)
{
    if (p.cislo.empty()) return {};
    switch (n.pod(4)) {
    case 0: {
        std::string predcislie = p.predcislie;
        predcislie.insert(0, 6 - predcislie.size(), '0');
        std::string cislo = p.cislo;
        cislo.insert(0, 10 - cislo.size(), '0');
        return "SK" + n.cislice(2) + p.kodBanky + predcislie + cislo;
    }
    case 1: return (p.predcislie.empty() ? "" : p.predcislie + "-") + p.cislo + "/" + p.kodBanky;
    case 2: return p.kodBanky + "/" + p.cislo;
    default: return p.cislo + "/" + p.kodBanky;
    }
}

std::size_t trustPay(const ZadanieExportu& z, Zapis& zapis)
{
    Nahoda n(z.seed);
    const Poradie poradie(z);
    std::string zaznam;
    for (std::size_t i = 0; i < poradie.pocet(); ++i) {
        const Platba p = novaPlatba(n, poradie.den(i));
        const Datum d = datum(p.den);
        zaznam.clear();
        // The web export begins with a byte-order mark.
        if (i == 0) zaznam += "\xEF\xBB\xBF";
        char text[16];
        std::snprintf(text, sizeof text, "%02u. %02u. %04d", d.d, d.m, d.r);
        zaznam += text;
        zaznam += ";\"" + protiucetTrustPay(n, p) + "\";";
        zaznam += p.debet ? '-' : '+';
        zaznam += suma(p.suma) + ";" + p.mena + ";\"" + p.ucel;
        // The payment text carries the symbols as tags, sometimes on a line of its own.
        if (p.viacRiadkov) {
            zapis.zlom();
            zaznam += "\r\n";
        } else if (!p.ucel.empty()) {
            zaznam += ' ';
        }
        if (!p.ks.empty()) zaznam += "KS:" + p.ks + " ";
        if (!p.vs.empty()) zaznam += "VS:" + p.vs + " ";
        if (!p.ss.empty()) zaznam += "SS:" + p.ss;
        const bool znackaRef = n.percent(20);
        if (znackaRef) zaznam += " REF:" + n.cislice(8);
        zaznam += "\";\"";
        if (!znackaRef && n.percent(50)) zaznam += "TP" + n.cislice(10);
        zaznam += "\";" + std::to_string(1 + n.pod(99999)) + ";\"" + p.nazov + "\"";
        zapis.riadok(zaznam);
    }
    return zapis.riadkov();
}

// ---- Tatra banka, newer internet banking: comma-separated.

std::size_t tatraCsv(const ZadanieExportu& z, Zapis& zapis)
{
    const Texty& t = texty();
    Nahoda n(z.seed);
    zapis.riadok(
        cp1250ZUtf8("\"Dátum spracovania\",\"Dátum zúčtovania\",Suma,Mena,Typ,\"Predčíslie\",\"Číslo účtu\","
                    "\"Kód banky\",IBAN,\"Variabilný symbol\",\"Špecifický symbol\",\"Konštantný symbol\","
                    "\"Referencia platiteľa\",\"Informácia pre príjemcu\",Popis"));
    const Poradie poradie(z);
    std::string zaznam;
    for (std::size_t i = 0; i < poradie.pocet(); ++i) {
        const Platba p = novaPlatba(n, poradie.den(i));
        zaznam = datum(p.den).text + "," + datum(p.den + (n.percent(20) ? 1 : 0)).text + ",\"" + suma(p.suma)
            + "\"," + p.mena + "," + (p.debet ? "Debet" : "Kredit") + "," + p.predcislie + "," + p.cislo + ","
            + p.kodBanky + ",";
        if (!p.cislo.empty() && n.percent(70)) zaznam += "SK" + n.cislice(22);
        zaznam += "," + p.vs + "," + p.ss + "," + p.ks + ",";
        if (n.percent(20)) zaznam += "\"" + n.cislice(6) + "\"";
        zaznam += ",";
        if (!p.ucel.empty()) {
            zaznam += "\"" + p.ucel;
            // A note to the payee written on two lines stays one record.
            if (p.viacRiadkov) {
                zapis.zlom();
                zaznam += "\r\n" + p.nazov;
            }
            zaznam += "\"";
        }
        zaznam += ",";
        const std::string& popis = n.vyber(t.popisyTatra);
        zaznam += n.percent(50) ? "\"" + popis + "\"" : popis;
        zapis.riadok(zaznam);
    }
    return zapis.riadkov();
}

// ---- Fio banka: ten header lines, semicolon-separated transactions, a sum line.

std::string protiucetFio(const Platba& p)
{
    if (p.cislo.empty()) return {};
    return p.predcislie.empty() ? p.cislo : p.predcislie + "-" + p.cislo;
}

std::size_t fio(const ZadanieExportu& z, Zapis& zapis)
{
    const Texty& t = texty();
    const Poradie poradie(z);
    const std::int64_t pociatocny = 123'456'78;
    std::int64_t prijmy = 0;
    std::int64_t vydaje = 0;
    {
        // The header states the sums: a first run over the same payments counts them.
        Nahoda n(z.seed);
        for (std::size_t i = 0; i < poradie.pocet(); ++i) {
            const Platba p = novaPlatba(n, poradie.den(i));
            (p.debet ? vydaje : prijmy) += p.suma;
        }
    }
    const std::string od = datum(poradie.den(0)).text;
    const std::string po = datum(poradie.den(poradie.pocet() - 1)).text;
    const auto zostatok = [](std::int64_t s) {
        std::string text = suma(s < 0 ? -s : s);
        if (s < 0) text.insert(text.begin(), '-');
        return text;
    };
    zapis.riadok(cp1250ZUtf8("Prehľad vybraných transakcií na účte \"2900123456/8330\""));
    zapis.riadok(cp1250ZUtf8("Majiteľ účtu: Ďurčová Ivana – živnosť, Nám. SNP 3, Žilina"));
    zapis.riadok(cp1250ZUtf8("Vytvorené v aplikácii Internetbanking: ") + po + " 08:14:55");
    zapis.riadok(cp1250ZUtf8("Obdobie: ") + od + " - " + po);
    zapis.riadok(cp1250ZUtf8("Počiatočný stav účtu k ") + od + ": " + zostatok(pociatocny) + " EUR");
    zapis.riadok(cp1250ZUtf8("Koncový stav účtu k ") + po + ": " + zostatok(pociatocny + prijmy - vydaje)
                 + " EUR");
    zapis.riadok(cp1250ZUtf8("Suma príjmov: +") + suma(prijmy));
    zapis.riadok(cp1250ZUtf8("Suma výdajov: -") + suma(vydaje));
    zapis.riadok("");
    zapis.riadok(
        cp1250ZUtf8("Prevod;Dátum;Objem;Protiúčet;Kód banky;KS;VS;ŠS;Užívateľská identifikácia;"
                    "Typ;Vykonal;Názov protiúčtu;Názov banky;"));
    Nahoda n(z.seed);
    std::string riadok;
    for (std::size_t i = 0; i < poradie.pocet(); ++i) {
        const Platba p = novaPlatba(n, poradie.den(i));
        const bool ucet = !p.cislo.empty();
        riadok = std::to_string(7'000'000'000ULL + i) + ";" + datum(p.den).text + ";" + (p.debet ? "-" : "")
            + suma(p.suma) + ";" + protiucetFio(p) + ";" + p.kodBanky + ";" + p.ks + ";" + p.vs + ";" + p.ss
            + ";" + p.ucel + ";" + n.vyber(t.typyFio) + ";" + (p.debet ? p.nazov : "") + ";"
            + (ucet ? p.nazov : "") + ";" + (ucet ? n.vyber(t.banky) : "") + ";";
        zapis.riadok(riadok);
    }
    zapis.riadok("0;Suma;" + zostatok(prijmy - vydaje) + ";;;;;;;;;;;");
    zapis.riadok(cp1250ZUtf8("Vygenerované službou Internetbanking Fio banky"));
    return zapis.riadkov();
}

// ---- ISO 20022 camt.053: one statement of booked entries, indented as the
// banks' internet banking exports it, in UTF-8.

// The few characters XML gives a meaning to, in a text written as UTF-8.
std::string xmlText(std::string_view cp1250)
{
    std::string text;
    for (const char z : utf8ZCp1250(cp1250)) {
        switch (z) {
        case '&': text += "&amp;"; break;
        case '<': text += "&lt;"; break;
        case '>': text += "&gt;"; break;
        default: text += z;
        }
    }
    return text;
}

std::string sumaXml(std::int64_t stotiny)
{
    std::string text = suma(stotiny);
    text[text.size() - 3] = '.';
    return text;
}

std::string datumIso(unsigned den)
{
    const Datum d = datum(den);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", d.r, d.m, d.d);
    return text;
}

// The account of a payment's counterparty: mostly a Slovak or Czech IBAN
// (its check digits as they come), sometimes a foreign one, none for a card
// payment or a fee.
std::string ibanCamt(Nahoda& n, const Platba& p)
{
    if (p.cislo.empty()) return {};
    if (n.percent(5)) return "DE" + n.cislice(20);
    std::string predcislie = p.predcislie;
    predcislie.insert(0, 6 - predcislie.size(), '0');
    std::string cislo = p.cislo;
    cislo.insert(0, 10 - cislo.size(), '0');
    return (n.percent(90) ? "SK" : "CZ") + n.cislice(2) + p.kodBanky + predcislie + cislo;
}

// Writes elements a line each, indented by their depth; without a Zapis it
// writes nothing (the run that only sums the entries).
class ZapisCamt {
public:
    explicit ZapisCamt(Zapis* zapis) : m_zapis(zapis) {}
    void otvor(std::string_view meno, std::string_view atributy = {})
    {
        riadok("<" + std::string(meno) + std::string(atributy) + ">");
        ++m_hlbka;
    }
    void zavri(std::string_view meno)
    {
        --m_hlbka;
        riadok("</" + std::string(meno) + ">");
    }
    void prvok(std::string_view meno, std::string_view hodnota, std::string_view atributy = {})
    {
        riadok("<" + std::string(meno) + std::string(atributy) + ">" + std::string(hodnota) + "</"
               + std::string(meno) + ">");
    }
    void riadok(std::string_view text)
    {
        if (!m_zapis) return;
        m_riadok.assign(2 * m_hlbka, ' ');
        m_riadok += text;
        m_zapis->riadok(m_riadok);
    }
    void suma(std::int64_t stotiny) { prvok("Amt", sumaXml(stotiny), " Ccy=\"EUR\""); }

private:
    Zapis* m_zapis;
    std::size_t m_hlbka = 0;
    std::string m_riadok;
};

// One transaction's details: its references, the counterparty and the
// remittance information.
void detailCamt(ZapisCamt& x, Nahoda& n, const Platba& p, std::int64_t suma, bool sumaDetailu)
{
    const Texty& t = texty();
    x.otvor("TxDtls");
    x.otvor("Refs");
    std::string e2e;
    if (!p.vs.empty()) e2e += "/VS" + p.vs;
    if (!p.ss.empty()) e2e += "/SS" + p.ss;
    if (!p.ks.empty()) e2e += "/KS" + p.ks;
    const bool referencia = e2e.empty() && n.percent(30);
    x.prvok("EndToEndId", e2e.empty() ? "NOTPROVIDED" : e2e);
    x.zavri("Refs");
    if (sumaDetailu) {
        x.otvor("AmtDtls");
        x.otvor("TxAmt");
        x.suma(suma);
        x.zavri("TxAmt");
        x.zavri("AmtDtls");
    }
    const std::string iban = ibanCamt(n, p);
    if (!iban.empty()) {
        const std::string_view strana = p.debet ? "Cdtr" : "Dbtr";
        x.otvor("RltdPties");
        x.otvor(strana);
        x.prvok("Nm", xmlText(p.nazov));
        x.zavri(strana);
        x.otvor(std::string(strana) + "Acct");
        x.otvor("Id");
        x.prvok("IBAN", iban);
        x.zavri("Id");
        x.zavri(std::string(strana) + "Acct");
        x.zavri("RltdPties");
    }
    if (!iban.empty() && n.percent(50)) {
        const std::string_view strana = p.debet ? "Cdtr" : "Dbtr";
        x.otvor("RltdAgts");
        x.otvor(std::string(strana) + "Agt");
        x.otvor("FinInstnId");
        x.prvok("BIC", n.vyber(t.bic));
        x.zavri("FinInstnId");
        x.zavri(std::string(strana) + "Agt");
        x.zavri("RltdAgts");
    }
    if (!p.ucel.empty() || referencia) {
        x.otvor("RmtInf");
        if (!p.ucel.empty()) x.prvok("Ustrd", xmlText(p.ucel));
        if (referencia) {
            x.otvor("Strd");
            x.otvor("CdtrRefInf");
            x.prvok("Ref", n.cisliceDo(10));
            x.zavri("CdtrRefInf");
            x.zavri("Strd");
        }
        x.zavri("RmtInf");
    }
    x.zavri("TxDtls");
}

// Writes entry `i` and answers its amount signed: negative for a debit.
std::int64_t zaznamCamt(ZapisCamt& x, Nahoda& n, const Platba& p, std::size_t i)
{
    const Texty& t = texty();
    // A batch entry (a run of card payments, a salary order) states each
    // transaction with its own amount.
    const std::size_t transakcii = n.percent(2) ? 2 + n.pod(3) : 1;
    std::vector<Platba> platby{p};
    // Its transactions stay small enough that the entry's sum is a valid amount.
    std::vector<std::int64_t> sumy{transakcii > 1 ? 1 + p.suma % 100'000'000 : p.suma};
    for (std::size_t k = 1; k < transakcii; ++k) {
        platby.push_back(novaPlatba(n, p.den));
        platby.back().debet = p.debet;
        sumy.push_back(1 + std::int64_t(n.pod(1'000'000)));
    }
    std::int64_t spolu = 0;
    for (std::int64_t s : sumy) spolu += s;
    x.otvor("Ntry");
    x.suma(spolu);
    x.prvok("CdtDbtInd", p.debet ? "DBIT" : "CRDT");
    x.prvok("Sts", "BOOK");
    x.otvor("BookgDt");
    x.prvok("Dt", datumIso(p.den));
    x.zavri("BookgDt");
    x.otvor("ValDt");
    x.prvok("Dt", datumIso(n.percent(20) && p.den > 0 ? p.den - 1 : p.den));
    x.zavri("ValDt");
    x.prvok("AcctSvcrRef", std::to_string(20190301'000000ULL + i));
    x.otvor("BkTxCd");
    x.otvor("Domn");
    x.prvok("Cd", "PMNT");
    x.otvor("Fmly");
    x.prvok("Cd", p.debet ? "ICDT" : "RCDT");
    x.prvok("SubFmlyCd", "ESCT");
    x.zavri("Fmly");
    x.zavri("Domn");
    x.zavri("BkTxCd");
    x.otvor("NtryDtls");
    if (transakcii > 1) {
        x.otvor("Btch");
        x.prvok("NbOfTxs", std::to_string(transakcii));
        x.zavri("Btch");
    }
    for (std::size_t k = 0; k < transakcii; ++k) detailCamt(x, n, platby[k], sumy[k], transakcii > 1);
    x.zavri("NtryDtls");
    x.prvok("AddtlNtryInf", xmlText(n.vyber(t.typyFio)));
    x.zavri("Ntry");
    return p.debet ? -spolu : spolu;
}

std::size_t camt053(const ZadanieExportu& z, Zapis& zapis)
{
    const Poradie poradie(z);
    const std::int64_t pociatocny = 123'456'78;
    std::int64_t zmena = 0;
    {
        // The closing balance is stated before the entries: a first run over
        // the same payments sums them.
        Nahoda n(z.seed);
        ZapisCamt nic(nullptr);
        for (std::size_t i = 0; i < poradie.pocet(); ++i)
            zmena += zaznamCamt(nic, n, novaPlatba(n, poradie.den(i)), i);
    }
    ZapisCamt x(&zapis);
    const auto zostatok = [&](std::string_view typ, std::int64_t suma, unsigned den) {
        x.otvor("Bal");
        x.otvor("Tp");
        x.otvor("CdOrPrtry");
        x.prvok("Cd", typ);
        x.zavri("CdOrPrtry");
        x.zavri("Tp");
        x.suma(suma < 0 ? -suma : suma);
        x.prvok("CdtDbtInd", suma < 0 ? "DBIT" : "CRDT");
        x.otvor("Dt");
        x.prvok("Dt", datumIso(den));
        x.zavri("Dt");
        x.zavri("Bal");
    };
    const unsigned prvy = poradie.den(0), posledny = poradie.den(poradie.pocet() - 1);
    x.riadok("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    x.otvor("Document",
            " xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\""
            " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    x.otvor("BkToCstmrStmt");
    x.otvor("GrpHdr");
    x.prvok("MsgId", "STMT" + datumIso(posledny));
    x.prvok("CreDtTm", datumIso(posledny) + "T08:14:55");
    x.zavri("GrpHdr");
    x.otvor("Stmt");
    x.prvok("Id", "2900123456-" + datumIso(posledny));
    x.prvok("ElctrncSeqNb", "1");
    x.prvok("CreDtTm", datumIso(posledny) + "T08:14:55");
    x.otvor("FrToDt");
    x.prvok("FrDtTm", datumIso(prvy) + "T00:00:00");
    x.prvok("ToDtTm", datumIso(posledny) + "T23:59:59");
    x.zavri("FrToDt");
    x.otvor("Acct");
    x.otvor("Id");
    x.prvok("IBAN", "SK3112000000198742637541");
    x.zavri("Id");
    x.prvok("Ccy", "EUR");
    x.otvor("Ownr");
    x.prvok("Nm", xmlText(cp1250ZUtf8("Ďurčová Ivana – živnosť")));
    x.zavri("Ownr");
    x.zavri("Acct");
    zostatok("OPBD", pociatocny, prvy);
    zostatok("CLBD", pociatocny + zmena, posledny);
    Nahoda n(z.seed);
    for (std::size_t i = 0; i < poradie.pocet(); ++i) zaznamCamt(x, n, novaPlatba(n, poradie.den(i)), i);
    x.zavri("Stmt");
    x.zavri("BkToCstmrStmt");
    x.zavri("Document");
    return zapis.riadkov();
}

}  // namespace

std::size_t generujExport(const ZadanieExportu& zadanie, std::ostream& vystup)
{
    Zapis zapis(vystup);
    switch (zadanie.format) {
    case 0: return tatraTxt(zadanie, zapis);
    case 1: return trustPay(zadanie, zapis);
    case 2: return tatraCsv(zadanie, zapis);
    case 4: return camt053(zadanie, zapis);
    default: return fio(zadanie, zapis);
    }
}

}  // namespace kasamat::bench
