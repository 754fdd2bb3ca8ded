#include "banks/trustpay.h"

#include <algorithm>
#include <array>
#include <vector>

#include "banks/banka.h"
#include "formats/bajty.h"
#include "formats/clr.h"

namespace kasamat {

namespace {

const FormatClr formatClr("9952");

// A template's variables, in the order in which they are replaced.
constexpr std::array<std::string_view, 6> premenne = {"$ks", "$vs", "$ss", "$ref", "$txt", "$npu"};
// Their values for one record, in the same order.
using Hodnoty = std::array<std::string_view, premenne.size()>;

// The task's payment-text template, applied to each record of a file.
//
// The variables are replaced one after another, each search running over
// the text as the earlier replacements left it: a later variable may be
// found inside a value inserted before it, or where a replacement joins a
// "$" to the bytes after it. Most templates and records allow neither, and
// their text is put together from where the template places its variables,
// found once per file.
class TextPlatby {
public:
    explicit TextPlatby(std::string_view sablona) : m_sablona(sablona) { rozvrhni(); }

    // Appends the payment text of one record, trimmed and cut to 20 bytes.
    void pridaj(std::string& ciel, const Hodnoty& hodnoty)
    {
        const std::size_t zaciatok = ciel.size();
        if (rozvrhPlati(hodnoty)) {
            poskladaj(ciel, hodnoty);
        } else {
            nahradPoRade(hodnoty);
            ciel += m_text;
        }
        orezPridane(ciel, zaciatok);
    }

private:
    // Where each variable stands in the template: at the first "$" that
    // begins its name and that no earlier variable took. This holds for the
    // replacement while no two "$" of the template stand within a variable's
    // length of each other, so that a replacement never reaches the bytes
    // that follow another "$", and while no value inserted before a later
    // search holds a "$".
    void rozvrhni()
    {
        std::vector<std::size_t> dolare;
        for (std::size_t d = m_sablona.find('$'); d != std::string_view::npos;
             d = m_sablona.find('$', d + 1)) {
            if (!dolare.empty() && d - dolare.back() < 4) return;
            dolare.push_back(d);
        }
        std::vector<std::pair<std::size_t, std::size_t>> miesta;  // position, variable
        for (std::size_t premenna = 0; premenna < premenne.size(); ++premenna) {
            for (auto d = dolare.begin(); d != dolare.end(); ++d) {
                if (m_sablona.substr(*d, premenne[premenna].size()) != premenne[premenna]) continue;
                miesta.emplace_back(*d, premenna);
                dolare.erase(d);
                break;
            }
        }
        std::sort(miesta.begin(), miesta.end());
        std::size_t od = 0;
        for (const auto& [pozicia, premenna] : miesta) {
            m_rozvrh.push_back({m_sablona.substr(od, pozicia - od), premenna});
            od = pozicia + premenne[premenna].size();
        }
        m_koniecSablony = m_sablona.substr(od);
        m_rozvrhnuty = true;
    }

    bool rozvrhPlati(const Hodnoty& hodnoty) const
    {
        if (!m_rozvrhnuty) return false;
        // The last variable's value is searched by no later one.
        for (const Miesto& m : m_rozvrh)
            if (m.premenna + 1 < premenne.size() && hodnoty[m.premenna].find('$') != std::string_view::npos)
                return false;
        return true;
    }

    void poskladaj(std::string& ciel, const Hodnoty& hodnoty) const
    {
        for (const Miesto& m : m_rozvrh) {
            if (!m.pred.empty()) ciel += m.pred;
            ciel += hodnoty[m.premenna];
        }
        if (!m_koniecSablony.empty()) ciel += m_koniecSablony;
    }

    void nahradPoRade(const Hodnoty& hodnoty)
    {
        m_text.assign(m_sablona);
        for (std::size_t premenna = 0; premenna < premenne.size(); ++premenna) {
            const std::size_t miesto = m_text.find(premenne[premenna]);
            if (miesto != std::string::npos)
                m_text.replace(miesto, premenne[premenna].size(), hodnoty[premenna]);
        }
    }

    // Trims what was appended from `zaciatok` on and keeps its first 20 bytes.
    static void orezPridane(std::string& ciel, std::size_t zaciatok)
    {
        const std::string_view text = orez(std::string_view(ciel).substr(zaciatok));
        const std::size_t dlzka = std::min<std::size_t>(text.size(), 20);
        if (const std::size_t pred = std::size_t(text.data() - ciel.data()) - zaciatok; pred > 0)
            ciel.erase(zaciatok, pred);
        ciel.resize(zaciatok + dlzka);
    }

    // A variable of the template and the text that stands before it.
    struct Miesto {
        std::string_view pred;
        std::size_t premenna;
    };

    std::string_view m_sablona;
    bool m_rozvrhnuty = false;
    // The template's variables in the order they stand in it, and the text after the last.
    std::vector<Miesto> m_rozvrh;
    std::string_view m_koniecSablony;
    // The text while the variables are replaced one after another, kept for its capacity.
    std::string m_text;
};

// The amount's digits are written into the KC record as they stand, so its
// value must be exact: more than 18 significant digits may not fit 64 bits,
// and a value held at the bound would sum to other than the record shows.
bool sumaSaZmesti(std::string_view cislice)
{
    const std::size_t prva = cislice.find_first_not_of('0');
    return prva == std::string_view::npos || cislice.size() - prva <= 18;
}

// The value of at most 18 significant digits: it fits 64 bits.
std::int64_t hodnota(std::string_view cislice)
{
    std::int64_t vysledok = 0;
    for (const char cislica : cislice) vysledok = vysledok * 10 + (cislica - '0');
    return vysledok;
}

// Turns each record into the transaction the statement receives. The
// transaction is kept and filled in place, so that its strings keep their
// capacity from record to record.
class Prevod {
public:
    explicit Prevod(const NastaveniaKonverzie& nastavenia)
        : m_textPlatby(nastavenia.textPlatby), m_referenciaVZd(nastavenia.variabilnySymbol == 1)
    {
    }

    // False when the record's amount cannot be carried exactly.
    bool nacitaj(const ZaznamTrustPay& z)
    {
        Transakcia& t = m_transakcia;
        t.sumaText.assign(z.jednotky).append(z.stotiny);
        if (!sumaSaZmesti(t.sumaText)) return false;
        t.suma = hodnota(t.sumaText);
        if (!pripocitajObrat(m_obrat, t.suma)) return false;
        t.debet = z.debet;
        // A day's records stand together: the key is formed again only when the date changes.
        if (t.rezDatum != z.datum) {
            t.rezDatum.assign(z.datum);
            datumovyKlucTrustPay(z.datum, t.datum);
            // The export carries one date per record: it also stands for the second date.
            t.datum2 = t.datum;
        }
        t.mena.assign(z.mena);

        const UcetTrustPay ucet = rozdelUcet(z.ucet);
        t.kodBanky.clear();
        pridajKodBanky(t.kodBanky, ucet.kodBanky);

        // ZD:/ZK: carry the variable symbol or, by the task's choice, the reference.
        std::string& variabilny = m_referenciaVZd ? m_druhySymbol : t.variabilnySymbol;
        std::string& referencia = m_referenciaVZd ? t.variabilnySymbol : m_druhySymbol;
        m_znacky.vyber(z.text, z.pole6, {t.konstantnySymbol, variabilny, t.specifickySymbol, referencia});

        t.protiucet.assign(ucet.predcislie);
        t.protiucet += ' ';
        pridajCisloUctu(t.protiucet, ucet.cislo);
        t.protiucet += ' ';
        m_textPlatby.pridaj(
            t.protiucet,
            {t.konstantnySymbol, variabilny, t.specifickySymbol, referencia, m_znacky.zvysnyText(), z.nazov});
        return true;
    }

    const Transakcia& transakcia() const { return m_transakcia; }

private:
    TextPlatby m_textPlatby;
    const bool m_referenciaVZd;
    Transakcia m_transakcia;
    // The one of the variable symbol and the reference that ZD:/ZK: do not
    // carry; the template may still use it.
    std::string m_druhySymbol;
    ZnackyTrustPay m_znacky;
    std::int64_t m_obrat = 0;
};

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    if (riadky.empty()) return false;
    hlavicka.vlastnyUcet = nastavenia.cisloUctu;
    CitacTrustPay citac(riadky);
    ZaznamTrustPay zaznam;
    Prevod prevod(nastavenia);
    while (!citac.koniec()) {
        if (citac.dalsi(zaznam) != 1 || !prevod.nacitaj(zaznam) || !prijemca.prijmi(prevod.transakcia()))
            return false;
    }
    // The key is the last record's date. TrustPay lists its records oldest
    // first: the separator carries no direction.
    kluc.datum = prevod.transakcia().datum;
    kluc.oddelovac = ' ';
    return true;
}

}  // namespace

std::string textPlatbyZoSablony(std::string_view sablona, const PolozkaTrustPay& p)
{
    std::string vysledok;
    TextPlatby(sablona).pridaj(vysledok,
                               {p.konstantnySymbol, p.variabilnySymbol, p.specifickySymbol, p.referencia,
                                p.zvysnyText, p.nazovProtiuctu});
    return vysledok;
}

const Banka KonverziaTrustPay{"csv", formatClr, citaj};

}  // namespace kasamat
