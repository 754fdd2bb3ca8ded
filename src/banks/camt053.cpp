#include "banks/camt053.h"

#include <algorithm>
#include <array>
#include <vector>

#include "banks/banka.h"
#include "banks/camt053_xml.h"
#include "formats/abo.h"
#include "formats/bajty.h"
#include "formats/cp1250.h"

namespace kasamat {

namespace {

const FormatAbo formatAbo(VariantAbo::Camt053);

constexpr std::int64_t najviacSuma = 999'999'999'999;
constexpr std::size_t dlzkaTextu = 20;

// A short text of an item, kept in place: an item holds no allocation.
template <std::size_t N>
class KratkyText {
public:
    void nastav(std::string_view text)
    {
        m_dlzka = std::uint8_t(std::min(text.size(), N));
        std::copy_n(text.begin(), m_dlzka, m_znaky.begin());
    }
    std::string_view text() const { return {m_znaky.data(), m_dlzka}; }

private:
    std::array<char, N> m_znaky{};
    std::uint8_t m_dlzka = 0;
};

// One item of the statement, a booked entry or one transaction of a batch
// entry, with every value its record takes, read while the entry's tree
// stands: a large file is held as its text and these alone.
struct Polozka {
    std::uint32_t datum = 0;  // booking date yyyymmdd as a number
    std::uint32_t valuta = 0;  // value date
    std::int64_t suma = 0;
    bool debet = false;
    KratkyText<16> protiucet;
    KratkyText<sirkaKoduBankyAbo> kodBanky;
    KratkyText<sirkaVariabilnehoAbo> variabilny;
    KratkyText<sirkaSpecifickehoAbo> specificky;
    KratkyText<sirkaKonstantnehoAbo> konstantny;
    KratkyText<20> text;  // code page 1250
};

struct VypisCamt {
    XmlCamt xml;
    std::string ucet;  // 16 digits, plain order
    std::string_view nazov;
    std::string_view mena;
    std::int64_t pociatocny = 0;
    // In booking-date order, file order within a date.
    std::vector<Polozka> polozky;
    // Working space of the item texts, kept from entry to entry.
    std::string vyber;
    std::string text;
};

// The batch hands over the whole text as one line (Banka::celyText). Lines
// of a file split by a caller view one buffer that holds the whole file, so
// the text is taken back from the first line's start to the last line's
// end, which for one line is that line. Whatever a split left out
// after the last line is a line end: after the root element, where it is
// whitespace, so nothing is lost without it. A UTF-16 file is split on its
// CR and LF bytes alike; when it is big-endian, the last character's second
// byte is such a line end, and its first byte (0) is dropped with it.
std::string_view celyText(const Riadky& riadky)
{
    if (riadky.empty()) return {};
    const char* zaciatok = riadky.front().data();
    const char* koniec = riadky.back().data() + riadky.back().size();
    if (zaciatok == nullptr || koniec < zaciatok) return {};
    std::string_view text(zaciatok, std::size_t(koniec - zaciatok));
    if (zacinaNa(text, "\xFE\xFF") && text.size() % 2 != 0 && text.back() == '\0') text.remove_suffix(1);
    return text;
}

// An IBAN of ibanSkCz, held without an allocation: an item reads one.
using Iban = std::array<char, 24>;

bool citajIban(std::string_view text, bool kontrola, Iban& iban)
{
    std::size_t dlzka = 0;
    for (char z : text) {
        if (z == ' ') continue;
        if (dlzka == iban.size()) return false;
        iban[dlzka++] = z >= 'a' && z <= 'z' ? char(z - 32) : z;
    }
    const std::string_view znaky(iban.data(), dlzka);
    if (dlzka != iban.size() || (!zacinaNa(znaky, "SK") && !zacinaNa(znaky, "CZ"))
        || !ibaCislice(znaky.substr(2)))
        return false;
    if (kontrola) {
        // ISO 7064 mod 97-10: the country and check digits moved to the end,
        // each letter read as its two-digit number (A = 10 ... Z = 35).
        int zvysok = 0;
        for (std::size_t i = 0; i < iban.size(); ++i) {
            const char z = iban[(i + 4) % iban.size()];
            if (z >= 'A' && z <= 'Z')
                zvysok = (zvysok * 100 + (z - 'A' + 10)) % 97;
            else
                zvysok = (zvysok * 10 + (z - '0')) % 97;
        }
        if (zvysok != 1) return false;
    }
    return true;
}

std::optional<std::int64_t> sumaAmt(pugi::xml_node amt, std::string_view mena)
{
    if (!amt || orez(amt.attribute("Ccy").value()) != mena) return std::nullopt;
    return sumaCamt(hodnota(amt));
}

// A balance or an entry: "DBIT" a debit, "CRDT" a credit, anything else
// does not read.
std::optional<bool> indikator(pugi::xml_node cdtDbtInd)
{
    const std::string_view text = hodnota(cdtDbtInd);
    if (text == "DBIT") return true;
    if (text == "CRDT") return false;
    return std::nullopt;
}

std::optional<bool> jeDebet(pugi::xml_node uzol) { return indikator(dieta(uzol, "CdtDbtInd")); }

std::optional<std::int64_t> zostatok(pugi::xml_node bal, std::string_view mena)
{
    const std::optional<std::int64_t> suma = sumaAmt(dieta(bal, "Amt"), mena);
    const std::optional<bool> debet = jeDebet(bal);
    if (!suma || !debet) return std::nullopt;
    return *debet ? -*suma : *suma;
}

bool jeRok(int rok) { return (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0; }

// A date element (BookgDt, ValDt): its Dt, or the first 10 characters of its
// DtTm, as yyyy-mm-dd, a real calendar date.
std::optional<std::uint32_t> datum(pugi::xml_node uzol)
{
    std::string_view text;
    if (const pugi::xml_node dt = dieta(uzol, "Dt")) {
        text = hodnota(dt);
    } else if (const pugi::xml_node dtTm = dieta(uzol, "DtTm")) {
        text = hodnota(dtTm).substr(0, 10);
    } else {
        return std::nullopt;
    }
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ibaCislice(text.substr(0, 4))
        || !ibaCislice(text.substr(5, 2)) || !ibaCislice(text.substr(8, 2)))
        return std::nullopt;
    const auto cislo = [](std::string_view cislice) {
        int hodnota = 0;
        for (const char z : cislice) hodnota = hodnota * 10 + (z - '0');
        return hodnota;
    };
    const int rok = cislo(text.substr(0, 4));
    const int mesiac = cislo(text.substr(5, 2));
    const int den = cislo(text.substr(8, 2));
    static constexpr std::array<int, 12> dni = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mesiac < 1 || mesiac > 12 || den < 1) return std::nullopt;
    if (den > dni[std::size_t(mesiac - 1)] + (mesiac == 2 && jeRok(rok) ? 1 : 0)) return std::nullopt;
    return std::uint32_t(rok * 10000 + mesiac * 100 + den);
}

// The eight digits yyyymmdd of a date (a year below 1000 filled with "0").
void datumText(std::uint32_t datum, std::string& ciel)
{
    ciel.assign(8, '0');
    for (std::size_t i = 8; i-- > 0; datum /= 10) ciel[i] = char('0' + datum % 10);
}

// The children of an entry that its items read, each the first of its name,
// found in one walk of the entry's children.
enum CastZaznamu : std::size_t { Amt, CdtDbtInd, Sts, BookgDt, ValDt, NtryDtls, AddtlNtryInf };
constexpr std::array<std::string_view, 7> menaCastiZaznamu = {"Amt",   "CdtDbtInd", "Sts",         "BookgDt",
                                                              "ValDt", "NtryDtls",  "AddtlNtryInf"};
using CastiZaznamu = std::array<pugi::xml_node, menaCastiZaznamu.size()>;

// The same of a transaction's details (TxDtls).
enum CastDetailu : std::size_t { AmtDetailu, AmtDtls, RltdPties, Refs, RmtInf };
constexpr std::array<std::string_view, 5> menaCastiDetailu = {"Amt", "AmtDtls", "RltdPties", "Refs",
                                                              "RmtInf"};
using CastiDetailu = std::array<pugi::xml_node, menaCastiDetailu.size()>;

// Entries of another status (pending, information) are no part of the
// statement. Older versions write the status as text, newer ones as a code.
bool zauctovany(pugi::xml_node sts) { return hodnota(sts) == "BOOK" || hodnota(dieta(sts, "Cd")) == "BOOK"; }

// The TxDtls of an entry, through all of its NtryDtls (from the first,
// `ntryDtls`), in file order.
pugi::xml_node prvyDetail(pugi::xml_node ntryDtls)
{
    for (pugi::xml_node d = ntryDtls; d; d = dalsi(d, "NtryDtls"))
        if (const pugi::xml_node tx = dieta(d, "TxDtls")) return tx;
    return {};
}

pugi::xml_node dalsiDetail(pugi::xml_node tx)
{
    if (const pugi::xml_node dalsiTx = dalsi(tx, "TxDtls")) return dalsiTx;
    for (pugi::xml_node d = dalsi(tx.parent(), "NtryDtls"); d; d = dalsi(d, "NtryDtls"))
        if (const pugi::xml_node dalsiTx = dieta(d, "TxDtls")) return dalsiTx;
    return {};
}

std::optional<std::int64_t> sumaDetailu(const CastiDetailu& tx, std::string_view mena)
{
    if (tx[AmtDetailu]) return sumaAmt(tx[AmtDetailu], mena);
    return sumaAmt(cesta(tx[AmtDtls], {"TxAmt", "Amt"}), mena);
}

// A text of the file for a 20-character statement field: runs of blanks,
// tabs, line ends and other control characters become one blank (a line end
// would split the fixed-width record), the ends are trimmed, and at most
// `najviac` characters are kept, in code page 1250 ("?" for a character it
// lacks), into `ciel`; `vyber` is working space.
void textCp1250(std::string_view utf8, std::size_t najviac, std::string& vyber, std::string& ciel)
{
    const auto oddeluje = [](char z) {
        const auto bajt = static_cast<unsigned char>(z);
        return bajt <= 0x20 || bajt == 0x7F;
    };
    vyber.clear();
    std::size_t znakov = 0;
    bool medzera = false;
    for (std::size_t i = 0; i < utf8.size() && znakov < najviac;) {
        if (oddeluje(utf8[i])) {
            medzera = znakov > 0;
            ++i;
            continue;
        }
        if (znakov + (medzera ? 1 : 0) >= najviac) break;
        if (medzera) {
            vyber += ' ';
            ++znakov;
            medzera = false;
        }
        // A word goes over in one piece, up to the last character that fits.
        std::size_t od = i;
        while (i < utf8.size() && !oddeluje(utf8[i]) && znakov < najviac) {
            std::size_t dlzka = 1;
            while (i + dlzka < utf8.size() && (static_cast<unsigned char>(utf8[i + dlzka]) & 0xC0) == 0x80)
                ++dlzka;
            // The C1 control characters would come out as the bytes code page
            // 1250 leaves unassigned: they are no letter either.
            if (static_cast<unsigned char>(utf8[i]) == 0xC2 && dlzka == 2
                && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
                vyber.append(utf8.substr(od, i - od));
                vyber += '?';
                od = i + dlzka;
            }
            ++znakov;
            i += dlzka;
        }
        vyber.append(utf8.substr(od, i - od));
    }
    ciel.clear();
    pridajCp1250ZUtf8(ciel, vyber);
}

std::string_view menoStrany(pugi::xml_node strana)
{
    const std::string_view meno = hodnota(dieta(strana, "Nm"));
    return meno.empty() ? hodnota(cesta(strana, {"Pty", "Nm"})) : meno;
}

// "/VS", "/SS" or "/KS" of the EndToEndId (the first of each), followed by
// its digits up to the next "/" or the end; anything else gives no symbol.
template <std::size_t N>
void symbol(std::string_view e2e, std::string_view znacka, KratkyText<N>& ciel)
{
    ciel.nastav({});
    const std::size_t od = e2e.find(znacka);
    if (od == std::string_view::npos) return;
    const std::string_view zvysok = e2e.substr(od + znacka.size());
    const std::string_view cislice = zvysok.substr(0, zvysok.find('/'));
    if (!cislice.empty() && cislice.size() <= N && ibaCislice(cislice)) ciel.nastav(cislice);
}

// The first Strd/CdtrRefInf/Ref of a remittance.
std::string_view referencia(pugi::xml_node rmtInf)
{
    for (pugi::xml_node strd = dieta(rmtInf, "Strd"); strd; strd = dalsi(strd, "Strd"))
        if (const pugi::xml_node ref = cesta(strd, {"CdtrRefInf", "Ref"})) return hodnota(ref);
    return {};
}

// The values an item takes from its transaction's details (`detaily`, the
// children of its TxDtls, empty nodes when it has none) and from its entry.
void citajDetaily(const CastiZaznamu& zaznam, const CastiDetailu& detaily, VypisCamt& v, Polozka& p)
{
    // The counterparty: who paid a credit, who was paid a debit.
    const pugi::xml_node strany = detaily[RltdPties];
    const pugi::xml_node strana = dieta(strany, p.debet ? "Cdtr" : "Dbtr");
    Iban iban;
    if (citajIban(hodnota(cesta(strany, {p.debet ? "CdtrAcct" : "DbtrAcct", "Id", "IBAN"})), false, iban)) {
        const std::string_view text(iban.data(), iban.size());
        p.protiucet.nastav(text.substr(8));
        const char kodBanky[] = {'0', '0', iban[4], iban[5], iban[6], iban[7]};
        p.kodBanky.nastav({kodBanky, sizeof kodBanky});
    } else {
        p.protiucet.nastav("0000000000000000");
        p.kodBanky.nastav({});
    }

    const std::string_view e2e = hodnota(dieta(detaily[Refs], "EndToEndId"));
    const pugi::xml_node rmtInf = detaily[RmtInf];
    symbol(e2e, "/VS", p.variabilny);
    symbol(e2e, "/SS", p.specificky);
    symbol(e2e, "/KS", p.konstantny);
    if (e2e.find("/VS") == std::string_view::npos) {
        const std::string_view ref = referencia(rmtInf);
        if (!ref.empty() && ref.size() <= sirkaVariabilnehoAbo && ibaCislice(ref)) p.variabilny.nastav(ref);
    }

    textCp1250(hodnota(dieta(rmtInf, "Ustrd")), dlzkaTextu, v.vyber, v.text);
    if (v.text.empty()) textCp1250(menoStrany(strana), dlzkaTextu, v.vyber, v.text);
    if (v.text.empty()) textCp1250(hodnota(zaznam[AddtlNtryInf]), dlzkaTextu, v.vyber, v.text);
    p.text.nastav(v.text);
}

// Reads a booked entry into its items. A batch entry is split when it has
// several transactions whose amounts all read and add up to the entry's;
// otherwise the entry is one item with the details of its first transaction.
// False when the entry does not read.
bool citajZaznam(const CastiZaznamu& zaznam, VypisCamt& v)
{
    const std::optional<std::int64_t> suma = sumaAmt(zaznam[Amt], v.mena);
    const std::optional<bool> debet = indikator(zaznam[CdtDbtInd]);
    const std::optional<std::uint32_t> zauctovanie = datum(zaznam[BookgDt]);
    const std::optional<std::uint32_t> valuta = zaznam[ValDt] ? datum(zaznam[ValDt]) : zauctovanie;
    if (!suma || !debet || !zauctovanie || !valuta) return false;
    Polozka p;
    p.datum = *zauctovanie;
    p.valuta = *valuta;
    p.suma = *suma;
    p.debet = *debet;

    const pugi::xml_node prvy = prvyDetail(zaznam[NtryDtls]);
    CastiDetailu casti;
    najdiDeti(prvy, menaCastiDetailu, casti);
    std::size_t pocet = 0;
    std::int64_t spolu = 0;
    bool citaSa = true;
    for (pugi::xml_node tx = prvy; tx && citaSa; tx = dalsiDetail(tx)) {
        CastiDetailu castiTx = casti;
        if (tx != prvy) najdiDeti(tx, menaCastiDetailu, castiTx);
        const std::optional<std::int64_t> sumaTx = sumaDetailu(castiTx, v.mena);
        citaSa = sumaTx && (spolu += *sumaTx) <= p.suma;
        ++pocet;
    }
    if (!citaSa || pocet < 2 || spolu != p.suma) {
        citajDetaily(zaznam, casti, v, p);
        v.polozky.push_back(p);
        return true;
    }
    for (pugi::xml_node tx = prvy; tx; tx = dalsiDetail(tx)) {
        if (tx != prvy) najdiDeti(tx, menaCastiDetailu, casti);
        p.suma = *sumaDetailu(casti, v.mena);
        citajDetaily(zaznam, casti, v, p);
        v.polozky.push_back(p);
    }
    return true;
}

bool mena3(std::string_view mena)
{
    return mena.size() == 3
        && std::all_of(mena.begin(), mena.end(), [](char z) { return z >= 'A' && z <= 'Z'; });
}

// Reads and checks the whole statement; false when the file is not a valid
// statement.
bool citajVypis(const Riadky& riadky, VypisCamt& v)
{
    if (!v.xml.citaj(celyText(riadky))) return false;
    pugi::xml_node stmt;
    for (pugi::xml_node bk = dieta(v.xml.koren(), "BkToCstmrStmt"); bk; bk = dalsi(bk, "BkToCstmrStmt")) {
        for (pugi::xml_node s = dieta(bk, "Stmt"); s; s = dalsi(s, "Stmt")) {
            if (stmt) return false;
            stmt = s;
        }
    }
    if (!stmt) return false;

    const pugi::xml_node acct = dieta(stmt, "Acct");
    Iban iban;
    if (!citajIban(hodnota(cesta(acct, {"Id", "IBAN"})), true, iban)) return false;
    v.ucet.assign(iban.data() + 8, iban.size() - 8);
    v.nazov = hodnota(cesta(acct, {"Ownr", "Nm"}));
    if (v.nazov.empty()) v.nazov = hodnota(cesta(acct, {"Ownr", "Pty", "Nm"}));

    pugi::xml_node otvaraci[2], zaverecny;
    int pocetOtvaracich[2] = {0, 0}, pocetZaverecnych = 0;
    for (pugi::xml_node bal = dieta(stmt, "Bal"); bal; bal = dalsi(bal, "Bal")) {
        const std::string_view typ = hodnota(cesta(bal, {"Tp", "CdOrPrtry", "Cd"}));
        if (typ == "OPBD" || typ == "PRCD") {
            const int i = typ == "OPBD" ? 0 : 1;
            otvaraci[i] = bal;
            ++pocetOtvaracich[i];
        } else if (typ == "CLBD") {
            zaverecny = bal;
            ++pocetZaverecnych;
        }
    }
    const int i = pocetOtvaracich[0] > 0 ? 0 : 1;
    if (pocetOtvaracich[i] != 1 || pocetZaverecnych != 1) return false;
    v.mena = hodnota(dieta(acct, "Ccy"));
    if (v.mena.empty()) v.mena = orez(dieta(otvaraci[i], "Amt").attribute("Ccy").value());
    // The code stands in the statement's name field when the file names no
    // holder; only a code of the ISO 4217 shape may.
    if (!mena3(v.mena)) return false;
    const std::optional<std::int64_t> pociatocny = zostatok(otvaraci[i], v.mena);
    const std::optional<std::int64_t> konecny = zostatok(zaverecny, v.mena);
    if (!pociatocny || !konecny) return false;
    v.pociatocny = *pociatocny;

    std::int64_t debet = 0, kredit = 0;
    CastiZaznamu casti;
    for (std::size_t z = 0; z < v.xml.pocetZaznamov(); ++z) {
        const pugi::xml_node ntry = v.xml.zaznam(z);
        if (!ntry) return false;
        najdiDeti(ntry, menaCastiZaznamu, casti);
        if (!zauctovany(casti[Sts])) continue;
        const std::size_t od = v.polozky.size();
        if (!citajZaznam(casti, v)) return false;
        // No statement holds turnovers beyond its 14 digits (SumyAbo); the
        // sums stop here long before they could wrap.
        std::int64_t& obrat = v.polozky[od].debet ? debet : kredit;
        for (std::size_t k = od; k < v.polozky.size(); ++k) obrat += v.polozky[k].suma;
        if (obrat > SumyAbo::najviac) return false;
    }
    // A statement whose own figures do not add up is a bank file to look at,
    // not to post.
    if (v.pociatocny + kredit - debet != *konecny) return false;

    // A bank lists its entries by booking date, as a rule: then they stand
    // in order already.
    const auto skor = [](const Polozka& a, const Polozka& b) { return a.datum < b.datum; };
    if (!std::is_sorted(v.polozky.begin(), v.polozky.end(), skor))
        std::stable_sort(v.polozky.begin(), v.polozky.end(), skor);
    // Every balance the statements run through fits its field.
    SumyAbo sumy(v.pociatocny);
    Transakcia t;
    for (const Polozka& p : v.polozky) {
        t.suma = p.suma;
        t.debet = p.debet;
        if (!sumy.pripocitaj(t)) return false;
    }
    return sumy.platne();
}

// Fills the reader's kept transaction from an item.
void nacitajTransakciu(const Polozka& p, std::string_view mena, Transakcia& t)
{
    datumText(p.datum, t.rezDatum);
    t.datum = t.rezDatum;
    datumText(p.valuta, t.datum2);
    t.suma = p.suma;
    t.sumaText.clear();
    pridajCislo(t.sumaText, p.suma);
    t.debet = p.debet;
    t.mena.assign(mena);
    t.protiucet.assign(p.protiucet.text());
    t.kodBanky.assign(p.kodBanky.text());
    t.variabilnySymbol.assign(p.variabilny.text());
    t.specifickySymbol.assign(p.specificky.text());
    t.konstantnySymbol.assign(p.konstantny.text());
    t.text.assign(p.text.text());
}

void nastavKluc(const VypisCamt& v, KlucSuboru& kluc)
{
    // A file without a booked entry is valid and gives no statement.
    if (v.polozky.empty())
        kluc.datum = "00000000";
    else
        datumText(v.polozky.back().datum, kluc.datum);
    kluc.oddelovac = ' ';
}

bool odovzdaj(VypisCamt& v, HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    hlavicka.vlastnyUcet = v.ucet;
    textCp1250(v.nazov, dlzkaTextu, v.vyber, v.text);
    hlavicka.nazovUctu = velkymiPismenami(v.text);
    hlavicka.pociatocnyZostatok = v.pociatocny;
    Transakcia t;
    for (const Polozka& p : v.polozky) {
        nacitajTransakciu(p, v.mena, t);
        if (!prijemca.prijmi(t)) return false;
    }
    return true;
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie&, KlucSuboru& kluc, HlavickaSuboru& hlavicka,
           PrijemcaTransakcii& prijemca)
{
    VypisCamt v;
    if (!citajVypis(riadky, v)) return false;
    nastavKluc(v, kluc);
    return odovzdaj(v, hlavicka, prijemca);
}

}  // namespace

std::optional<std::int64_t> sumaCamt(std::string_view text)
{
    const std::size_t bodka = text.find('.');
    const std::string_view cele = text.substr(0, bodka);
    const std::string_view desatinne =
        bodka == std::string_view::npos ? std::string_view() : text.substr(bodka + 1);
    if (cele.empty() || !ibaCislice(cele) || !ibaCislice(desatinne)
        || (bodka != std::string_view::npos && (desatinne.empty() || desatinne.size() > 2)))
        return std::nullopt;
    const std::string_view vyznamne = cele.substr(std::min(cele.find_first_not_of('0'), cele.size()));
    // Whole units of more than 10 digits are more than 12 digits of hundredths.
    if (vyznamne.size() > 10) return std::nullopt;
    std::int64_t suma = atolHodnota(cele) * 100;
    if (!desatinne.empty()) suma += atolHodnota(desatinne) * (desatinne.size() == 1 ? 10 : 1);
    if (suma > najviacSuma) return std::nullopt;
    return suma;
}

std::string ibanSkCz(std::string_view text, bool kontrola)
{
    Iban iban;
    return citajIban(text, kontrola, iban) ? std::string(iban.data(), iban.size()) : std::string();
}

const Banka KonverziaCamt053{"xml", formatAbo, citaj, "Súbor neobsahuje žiadne zaúčtované pohyby: ", true};

}  // namespace kasamat
