#include "banks/trustpay_zaznam.h"

#include <algorithm>
#include <cstring>

#include "formats/bajty.h"

namespace kasamat {

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF";
constexpr auto nic = std::string_view::npos;

std::string_view bezBom(std::string_view zaznam)
{
    if (zacinaNa(zaznam, bom)) zaznam.remove_prefix(bom.size());
    return zaznam;
}

bool cislica(char znak) { return znak >= '0' && znak <= '9'; }

// The date and the amount go into the statement as written, so they must be
// plain digits: a blank or a sign there would split a record's field or be
// read as a different amount.
bool cislice(std::string_view text) { return !text.empty() && ibaCislice(text); }

// Reads as a decimal integer: digits, optionally after leading blanks and a sign.
bool konvertuje(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (!cislica(text[i])) return false;
    return true;
}

// Whether the letters of a tag stand right before the colon at `dvojbodka`.
// Byte by byte: they are two or three, fewer than a library call costs.
bool pismenaPred(std::string_view text, std::size_t dvojbodka, std::string_view pismena)
{
    if (dvojbodka < pismena.size()) return false;
    const std::size_t od = dvojbodka - pismena.size();
    for (std::size_t i = 0; i < pismena.size(); ++i)
        if (text[od + i] != pismena[i]) return false;
    return true;
}

// Field 1, "dd. mm. yyyy" with a digit in each place of the date, and the
// ";\"" that opens field 2.
bool zaciatokZaznamu(std::string_view t)
{
    return t.size() >= 14 && cislica(t[0]) && cislica(t[1]) && t[2] == '.' && t[3] == ' ' && cislica(t[4])
        && cislica(t[5]) && t[6] == '.' && t[7] == ' ' && cislica(t[8]) && cislica(t[9]) && cislica(t[10])
        && cislica(t[11]) && t[12] == ';' && t[13] == '"';
}

// The text of the record being walked: its first line, and while a quoted
// field is open at its end, the next lines joined with one blank each in the
// reader's working space. Positions stay valid as the text grows; views of
// it do not.
class TextZaznamu {
public:
    TextZaznamu(std::string_view prvy, const std::string_view*& dalsi, const std::string_view* koniec,
                std::string& spojene)
        : m_text(bezBom(prvy)), m_dalsi(dalsi), m_koniec(koniec), m_spojene(spojene)
    {
    }

    std::string_view text() const { return m_text; }
    std::size_t size() const { return m_text.size(); }
    char operator[](std::size_t i) const { return m_text[i]; }
    // Whether the byte at `i` exists and is `znak`.
    bool je(std::size_t i, char znak) const { return i < m_text.size() && m_text[i] == znak; }

    // The next `znak` at or after `od` in the text as it stands.
    std::size_t najdi(char znak, std::size_t od) const
    {
        if (od >= m_text.size()) return nic;
        const void* miesto = std::memchr(m_text.data() + od, znak, m_text.size() - od);
        return miesto ? std::size_t(static_cast<const char*>(miesto) - m_text.data()) : nic;
    }
    // The same for a byte expected within a few: a loop reaches it sooner
    // than a library call.
    std::size_t najdiBlizko(char znak, std::size_t od) const
    {
        for (std::size_t i = od; i < m_text.size(); ++i)
            if (m_text[i] == znak) return i;
        return nic;
    }

    // The next double quote at or after `od`. A quoted field open at the end
    // of the line runs on to the next one, which is joined, and the search
    // goes on in it; nic when the file ends first.
    std::size_t uvodzovka(std::size_t od)
    {
        if (const std::size_t miesto = najdi('"', od); miesto != nic) return miesto;
        return uvodzovkaNaDalsichRiadkoch();
    }

private:
    // Rare, and kept out of line so that the search above stays inline.
    [[gnu::noinline]] std::size_t uvodzovkaNaDalsichRiadkoch()
    {
        while (m_dalsi != m_koniec) {
            const std::size_t od = m_text.size();
            pripoj(*m_dalsi++);
            if (const std::size_t miesto = najdi('"', od); miesto != nic) return miesto;
        }
        return nic;
    }

    void pripoj(std::string_view riadok)
    {
        if (!m_spojeny) m_spojene.assign(m_text);
        m_spojeny = true;
        m_spojene += ' ';
        m_spojene += riadok;
        m_text = m_spojene;
    }

    std::string_view m_text;
    const std::string_view*& m_dalsi;
    const std::string_view* const m_koniec;
    std::string& m_spojene;
    bool m_spojeny = false;
};

// Where the walk found the closing quotes and separators of a record.
struct Hranice {
    std::size_t koniecUctu = 0;  // field 2's closing quote
    std::size_t ciarka = 0;  // the amount's comma
    std::size_t koniecTextu = 0;  // field 5's closing quote
    std::size_t koniecPola6 = 0;  // field 6's closing quote
    std::size_t koniecPola7 = 0;  // the ";" after field 7
};

// Tests a record field by field; the first check that fails decides: 0 for
// a wrong or missing byte, -1 for a closing double quote that no line holds.
int prejdi(TextZaznamu& t, Hranice& h)
{
    if (!zaciatokZaznamu(t.text())) return 0;

    h.koniecUctu = t.uvodzovka(14);
    if (h.koniecUctu == nic) return -1;
    const std::size_t znamienko = h.koniecUctu + 2;
    if (!t.je(h.koniecUctu + 1, ';') || !(t.je(znamienko, '+') || t.je(znamienko, '-'))) return 0;

    h.ciarka = t.najdiBlizko(',', znamienko + 1);
    if (h.ciarka == nic || !cislice(t.text().substr(znamienko + 1, h.ciarka - znamienko - 1))) return 0;
    // Two decimals, ";", the currency of three bytes, ";" and the quote that opens field 5.
    const std::size_t c = h.ciarka;
    if (c + 8 >= t.size() || !cislica(t[c + 1]) || !cislica(t[c + 2]) || t[c + 3] != ';' || t[c + 7] != ';'
        || t[c + 8] != '"')
        return 0;

    h.koniecTextu = t.uvodzovka(c + 9);
    if (h.koniecTextu == nic) return -1;
    if (!t.je(h.koniecTextu + 1, ';') || !t.je(h.koniecTextu + 2, '"')) return 0;

    h.koniecPola6 = t.uvodzovka(h.koniecTextu + 3);
    if (h.koniecPola6 == nic) return -1;
    if (!t.je(h.koniecPola6 + 1, ';')) return 0;

    const std::size_t pole7 = h.koniecPola6 + 2;
    h.koniecPola7 = t.najdiBlizko(';', pole7);
    if (h.koniecPola7 == nic) return 0;
    std::string_view cislo = t.text().substr(pole7, h.koniecPola7 - pole7);
    if (!cislo.empty() && cislo.back() == '"') cislo.remove_suffix(1);
    if (!konvertuje(cislo)) return 0;

    const std::size_t nazov = h.koniecPola7 + 1;
    if (!t.je(nazov, '"')) return 0;
    const std::size_t koniecNazvu = t.uvodzovka(nazov + 1);
    if (koniecNazvu == nic) return -1;
    return koniecNazvu + 1 == t.size() ? 1 : 0;
}

std::string_view medzi(std::string_view text, std::size_t od, std::size_t po)
{
    return text.substr(od, po - od);
}

// The fields of a record that tested 1, between the bounds its walk found.
void polia(std::string_view t, const Hranice& h, ZaznamTrustPay& z)
{
    const std::size_t c = h.ciarka;
    z.datum = t.substr(0, 12);
    z.ucet = medzi(t, 14, h.koniecUctu);
    z.debet = t[h.koniecUctu + 2] == '-';
    z.jednotky = medzi(t, h.koniecUctu + 3, c);
    z.stotiny = t.substr(c + 1, 2);
    z.mena = t.substr(c + 4, 3);
    z.text = medzi(t, c + 9, h.koniecTextu);
    z.pole6 = medzi(t, h.koniecTextu + 3, h.koniecPola6);
    // Field 8 runs from after its opening quote to the last byte, its closing quote.
    z.nazov = medzi(t, h.koniecPola7 + 2, t.size() - 1);
}

int rozober(TextZaznamu& text, ZaznamTrustPay& zaznam)
{
    Hranice hranice;
    const int vysledok = prejdi(text, hranice);
    if (vysledok == 1) polia(text.text(), hranice, zaznam);
    return vysledok;
}

}  // namespace

int CitacTrustPay::dalsi(ZaznamTrustPay& zaznam)
{
    const std::string_view prvy = *m_dalsi++;
    TextZaznamu text(prvy, m_dalsi, m_koniec, m_spojene);
    return rozober(text, zaznam);
}

int KontrolaRiadkuTrustPay(std::string_view zaznam)
{
    const std::string_view* bezDalsich = nullptr;
    std::string spojene;
    TextZaznamu text(zaznam, bezDalsich, nullptr, spojene);
    Hranice hranice;
    return prejdi(text, hranice);
}

void datumovyKlucTrustPay(std::string_view datum, std::string& kluc)
{
    kluc.assign(datum.substr(8, 4)).append(datum.substr(4, 2)).append(datum.substr(0, 2));
}

UcetTrustPay rozdelUcet(std::string_view ucet)
{
    UcetTrustPay u;
    if (ucet.size() == 24 && zacinaNa(ucet, "SK") && konvertuje(ucet.substr(2, 7))
        && konvertuje(ucet.substr(9, 7)) && konvertuje(ucet.substr(16, 8))) {
        u.kodBanky = ucet.substr(4, 4);
        u.predcislie = ucet.substr(8, 6);
        u.cislo = ucet.substr(14, 10);
    } else {
        std::string_view cast = ucet;
        u.kodBanky = "0000";
        if (const std::size_t lomka = ucet.find('/'); lomka != nic) {
            // Exports write both prefix-number/bank and bank/prefix-number;
            // a "/" in the first half of the text marks the bank code first.
            const bool kodPrvy = lomka + 1 < ucet.size() / 2;
            u.kodBanky = orez(kodPrvy ? ucet.substr(0, lomka) : ucet.substr(lomka + 1));
            cast = kodPrvy ? ucet.substr(lomka + 1) : ucet.substr(0, lomka);
        }
        if (const std::size_t pomlcka = cast.find('-'); pomlcka != nic) {
            u.predcislie = orez(cast.substr(0, pomlcka));
            u.cislo = orez(cast.substr(pomlcka + 1));
        } else {
            u.cislo = orez(cast);
        }
    }
    // Each part keeps its last bytes, as many as its field takes.
    const auto posledne = [](std::string_view cast, std::size_t n) {
        return cast.size() > n ? cast.substr(cast.size() - n) : cast;
    };
    u.predcislie = posledne(u.predcislie, 6);
    u.cislo = posledne(u.cislo, 10);
    u.kodBanky = posledne(u.kodBanky, 7);
    return u;
}

void pridajCisloUctu(std::string& ciel, std::string_view cislo)
{
    pridajNulami(ciel, cislo.empty() ? std::string_view("00") : cislo, 2);
}

void pridajKodBanky(std::string& ciel, std::string_view kodBanky) { pridajNulami(ciel, kodBanky, 4); }

void ZnackyTrustPay::vyber(std::string_view text, std::string_view pole6, const Hodnoty& hodnoty)
{
    m_dvojbodky.clear();
    for (std::size_t d = text.find(':'); d != nic; d = text.find(':', d + 1)) m_dvojbodky.push_back(d);
    m_zvysny = text;
    m_skopirovany = false;
    // Each tag is looked for in the text as the earlier ones left it.
    vyberZnacku("KS:", hodnoty.konstantnySymbol);
    vyberZnacku("VS:", hodnoty.variabilnySymbol);
    vyberZnacku("SS:", hodnoty.specifickySymbol);
    if (!vyberZnacku("REF:", hodnoty.referencia)) hodnoty.referencia.assign(pole6.substr(0, 10));
}

inline bool ZnackyTrustPay::vyberZnacku(std::string_view znacka, std::string& vysledok)
{
    // The tag's first occurrence is at the first colon that follows its letters.
    const std::string_view pismena = znacka.substr(0, znacka.size() - 1);
    for (auto dvojbodka = m_dvojbodky.begin(); dvojbodka != m_dvojbodky.end(); ++dvojbodka) {
        if (!pismenaPred(m_zvysny, *dvojbodka, pismena)) continue;
        vyberHodnotu(dvojbodka, pismena.size(), vysledok);
        return true;
    }
    vysledok.clear();
    return false;
}

void ZnackyTrustPay::vyberHodnotu(std::vector<std::size_t>::iterator dvojbodka, std::size_t pismen,
                                  std::string& vysledok)
{
    // The text is copied when the first tag is taken out of it.
    if (!m_skopirovany) {
        m_text.assign(m_zvysny);
        m_skopirovany = true;
    }
    const std::size_t miesto = *dvojbodka - pismen;
    std::string_view hodnota = orez(std::string_view(m_text).substr(*dvojbodka + 1));
    // The rest that goes back: from after the value's first blank to the
    // value's trimmed end; nothing when the value holds no blank.
    const std::size_t koniec = std::size_t(hodnota.data() - m_text.data()) + hodnota.size();
    std::size_t zvysok = koniec;
    if (const std::size_t medzera = hodnota.find(' '); medzera != nic) {
        zvysok = std::size_t(hodnota.data() - m_text.data()) + medzera + 1;
        hodnota = hodnota.substr(0, medzera);
    }
    vysledok.assign(hodnota.substr(0, 10));
    m_text.resize(koniec);
    m_text.erase(miesto, zvysok - miesto);
    m_zvysny = m_text;
    // The colons of the tag and its value go with them (none stands in the
    // trimmed end); those after them move up.
    const auto dalsie = std::lower_bound(dvojbodka, m_dvojbodky.end(), zvysok);
    for (auto d = dalsie; d != m_dvojbodky.end(); ++d) *d -= zvysok - miesto;
    m_dvojbodky.erase(dvojbodka, dalsie);
}

PolozkaTrustPay NacitatPolozkuTrustPay(std::string_view text)
{
    PolozkaTrustPay p;
    const std::string_view* bezDalsich = nullptr;
    std::string spojene;
    TextZaznamu zaznam(text, bezDalsich, nullptr, spojene);
    ZaznamTrustPay z;
    if (rozober(zaznam, z) != 1) return p;
    p.datumText.assign(z.datum);
    datumovyKlucTrustPay(z.datum, p.datumKluc);
    p.debet = z.debet;
    p.sumaText.assign(z.jednotky).append(z.stotiny);
    p.suma = atolHodnota(p.sumaText);
    p.mena.assign(z.mena);
    const UcetTrustPay ucet = rozdelUcet(z.ucet);
    p.predcislie.assign(ucet.predcislie);
    pridajCisloUctu(p.cislo, ucet.cislo);
    pridajKodBanky(p.kodBanky, ucet.kodBanky);
    ZnackyTrustPay znacky;
    znacky.vyber(z.text, z.pole6, {p.konstantnySymbol, p.variabilnySymbol, p.specifickySymbol, p.referencia});
    p.zvysnyText.assign(znacky.zvysnyText());
    p.nazovProtiuctu.assign(z.nazov);
    return p;
}

}  // namespace kasamat
