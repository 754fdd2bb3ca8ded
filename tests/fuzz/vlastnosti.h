#pragma once
// What every fuzz target checks besides "no crash": the in-memory conversion
// of an accepted file into statement bytes (the bank's test and reading, the
// format's records, the daily cut, as the batch does it, without the disk) and
// the properties of every statement it gives. A broken property aborts, so the
// fuzzer keeps the input that broke it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "banks/banka.h"
#include "banks/riadky.h"
#include "formats/abo.h"
#include "formats/bajty.h"

namespace kasamat::fuzz {

[[noreturn]] inline void porusene(const char* vlastnost, std::string_view text = {})
{
    std::fprintf(stderr, "property broken: %s\n%.*s\n", vlastnost,
                 int(std::min<std::size_t>(text.size(), 2000)), text.data());
    std::abort();
}

inline void over(bool splnene, const char* vlastnost, std::string_view text = {})
{
    if (!splnene) porusene(vlastnost, text);
}

// The exact value of a number text read the way atol reads it (leading
// blanks, a sign, digits up to the first other byte), in 128 bits: no bound
// and no wrap for any text a statement may carry; past 30 significant digits
// it answers a value no sum reaches.
inline __int128 hodnota(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    const bool zaporne = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i + 1 < text.size() && text[i] == '0' && text[i + 1] >= '0' && text[i + 1] <= '9') ++i;
    __int128 v = 0;
    for (std::size_t cislic = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++cislic) {
        if (cislic == 30) return __int128(1) << 120;
        v = v * 10 + (text[i] - '0');
    }
    return zaporne ? -v : v;
}

inline bool jeDatum(std::string_view text) { return text.size() == 8 && ibaCislice(text); }

// Every line ends with CR LF; no CR or LF stands anywhere else.
inline std::vector<std::string_view> riadkyVypisu(std::string_view vypis)
{
    over(!vypis.empty() && vypis.ends_with("\r\n"), "a statement ends with CR LF", vypis);
    std::vector<std::string_view> riadky;
    std::size_t od = 0;
    while (od < vypis.size()) {
        const std::size_t lf = vypis.find('\n', od);
        over(lf != std::string_view::npos && lf > od && vypis[lf - 1] == '\r', "every LF follows a CR",
             vypis);
        const std::string_view riadok = vypis.substr(od, lf - 1 - od);
        over(riadok.find('\r') == std::string_view::npos, "no bare CR in a statement", vypis);
        riadky.push_back(riadok);
        od = lf + 1;
    }
    return riadky;
}

inline std::vector<std::string_view> slova(std::string_view riadok)
{
    std::vector<std::string_view> vysledok;
    std::size_t od = 0;
    while (od <= riadok.size()) {
        const std::size_t medzera = std::min(riadok.find(' ', od), riadok.size());
        vysledok.push_back(riadok.substr(od, medzera - od));
        od = medzera + 1;
    }
    return vysledok;
}

inline std::string_view za(std::string_view riadok, std::string_view znacka)
{
    return riadok.starts_with(znacka) ? riadok.substr(znacka.size()) : std::string_view();
}

// A record test answers 1, 0 or -1, the same each time; a -1 comes only from
// an open double quote, so a further line without one keeps it at -1.
inline int overZaznam(int (*test)(std::string_view), std::string_view zaznam)
{
    const int vysledok = test(zaznam);
    over(vysledok >= -1 && vysledok <= 1, "a record tests 1, 0 or -1", zaznam);
    over(test(zaznam) == vysledok, "the record test is repeatable", zaznam);
    if (vysledok == -1) {
        over(zaznam.find('"') != std::string_view::npos, "-1 needs a double quote", zaznam);
        over(test(std::string(zaznam) + " dalsi riadok;bez uvodzoviek") == -1,
             "a line without quotes keeps -1", zaznam);
    }
    return vysledok;
}

// A CLR statement: N blocks, each opened by HD:11, then the trailer whose
// counts match them and whose total is the exact sum of the amounts written
// (`suma`: the amount texts of its transactions read without any bound).
inline void overClr(std::string_view vypis, __int128 suma)
{
    const std::vector<std::string_view> riadky = riadkyVypisu(vypis);
    over(riadky.size() >= 6, "a CLR statement has its trailer", vypis);
    std::int64_t bloky = 0;
    const std::size_t koniec = riadky.size() - 6;
    for (std::size_t i = 0; i < koniec; ++i) {
        const std::string_view r = riadky[i];
        // A block's bank codes and dates are cut from the export as they
        // stand, so only its start is certain.
        if (r.starts_with("HD:11 ")) ++bloky;
        over(!r.starts_with("HD:5") && !r.starts_with("IN:") && !r.starts_with("KV:"),
             "no trailer record among the blocks", vypis);
    }
    over(bloky > 0, "a CLR statement holds a transaction", vypis);
    const std::string n = std::to_string(bloky);
    const auto hd51 = slova(riadky[koniec]);
    over(hd51.size() == 5 && hd51[0] == "HD:51" && jeDatum(hd51[1]) && hd51[3] == std::to_string(bloky + 1),
         "HD:51 numbers N + 1", vypis);
    over(riadky[koniec + 1] == "IN:1 " + n, "IN:1 counts the HD:11 blocks", vypis);
    const auto s1 = slova(za(riadky[koniec + 2], "S1:"));
    over(s1.size() == 2 && s1[0] == n && hodnota(s1[1]) == suma,
         "S1: counts the blocks and totals the written amounts", vypis);
    const auto hd52 = slova(riadky[koniec + 3]);
    over(hd52.size() == 5 && hd52[0] == "HD:52" && hd52[3] == std::to_string(bloky + 2),
         "HD:52 numbers N + 2", vypis);
    over(riadky[koniec + 4].starts_with("ZV:"), "ZV: follows", vypis);
    const auto kv = slova(za(riadky[koniec + 5], "KV:"));
    over(kv.size() == 8 && kv[0] == std::to_string(bloky + 2), "KV: numbers N + 2", vypis);
    over(hodnota(kv[1]) + hodnota(kv[3]) == suma, "KV: debit and credit make the total", vypis);
}

// An ABO statement: one 074 record, then one 075 record per transaction,
// each exactly 128 bytes with digits only in its numeric fields; the turnover
// of the 074 record is the sum of its items and the new balance follows.
template <std::size_t N>
inline void overPolia(std::string_view zaznam, const std::array<PoleAbo, N>& polia)
{
    for (const PoleAbo& pole : polia)
        if (pole.vypln == VyplnAbo::Nuly)
            over(ibaCislice(zaznam.substr(pole.pozicia - 1, pole.sirka)), "ABO numeric field is digits",
                 zaznam);
}

inline std::string_view pole(std::string_view zaznam, std::size_t pozicia, std::size_t sirka)
{
    return zaznam.substr(pozicia - 1, sirka);
}

inline void overAbo(std::string_view vypis)
{
    const std::vector<std::string_view> riadky = riadkyVypisu(vypis);
    over(riadky.size() >= 2, "an ABO statement holds an item", vypis);
    __int128 debet = 0, kredit = 0;
    for (std::size_t i = 0; i < riadky.size(); ++i) {
        const std::string_view r = riadky[i];
        over(r.size() == dlzkaZaznamuAbo, "an ABO record is 128 bytes", r);
        if (i == 0) {
            over(r.starts_with("074"), "the statement opens with 074", r);
            overPolia(r, zaznam074);
            continue;
        }
        over(r.starts_with("075"), "items are 075", r);
        overPolia(r, zaznam075);
        const std::string_view kod = pole(r, 61, 1);
        over(kod == "1" || kod == "2", "an item is debit or credit", r);
        (kod == "1" ? debet : kredit) += hodnota(pole(r, 49, 12));
    }
    const std::string_view hlavicka = riadky[0];
    over(hodnota(pole(hlavicka, 76, 14)) == debet && hodnota(pole(hlavicka, 91, 14)) == kredit,
         "074 turnover is the sum of the items", vypis);
    const auto zostatok = [&](std::size_t pozicia) {
        const __int128 v = hodnota(pole(hlavicka, pozicia, 14));
        return pole(hlavicka, pozicia + 14, 1) == "-" ? -v : v;
    };
    over(zostatok(46) + kredit - debet == zostatok(61), "the new balance follows from the old", hlavicka);
}

// The batch's second pass in memory: cuts the transactions into statements
// and closes each one.
class Vypisy final : public PrijemcaTransakcii {
public:
    Vypisy(const FormatVypisu& format, bool denne, const HlavickaSuboru& hlavicka)
        : m_format(format), m_denne(denne), m_hlavicka(hlavicka)
    {
    }

    bool prijmi(const Transakcia& t) override
    {
        if (!m_zacaty) {
            m_stav.vynuluj(m_hlavicka.pociatocnyZostatok.value_or(0));
            m_suma = 0;
            m_zacaty = true;
        } else if (m_denne && t.rezDatum != m_stav.predchadzajuciDatum) {
            zavri();
            m_stav.vynuluj(m_hlavicka.pociatocnyZostatok ? m_stav.konecnyZostatok() : 0);
            m_suma = 0;
        }
        m_stav.predchadzajuciDatum = t.rezDatum;
        m_suma += hodnota(t.sumaText);
        const std::size_t pred = m_stav.text.size();
        m_format.pridajTransakciu(m_stav, t, m_hlavicka);
        over(m_stav.text.size() - pred == m_format.dlzkaTransakcie(t, m_hlavicka, m_stav.poradie),
             "the planned length of a transaction is what is written");
        m_stav.zapocitaj(t);
        return true;
    }

    void dokonci()
    {
        if (m_zacaty) zavri();
    }
    const std::vector<std::string>& vypisy() const { return m_vypisy; }
    bool odmietnuty() const { return m_odmietnuty; }
    const std::vector<__int128>& sumy() const { return m_sumy; }

private:
    // The batch refuses a file whose statement would be named by anything
    // but an 8-digit date; such a file gives no statement here either.
    void zavri()
    {
        if (!jeDatum(m_stav.datumVypisu)) {
            m_odmietnuty = true;
            return;
        }
        const FormatVypisu::Uzaver uzaver =
            m_format.uzavri(m_stav, m_hlavicka, int(m_vypisy.size() % 999) + 1);
        m_vypisy.push_back(uzaver.pred + m_stav.text + uzaver.za);
        m_sumy.push_back(m_suma);
    }

    const FormatVypisu& m_format;
    const bool m_denne;
    const HlavickaSuboru& m_hlavicka;
    StavVypisu m_stav;
    bool m_zacaty = false;
    bool m_odmietnuty = false;
    std::vector<std::string> m_vypisy;
    std::vector<__int128> m_sumy;
    __int128 m_suma = 0;
};

// Tests the file and, when it passes, converts it per file and daily with
// both variable-symbol choices, checking every statement. The bank gets the
// file as the batch hands it over: split into lines, or whole.
inline void konvertujAOver(const Banka& banka, const std::uint8_t* data, std::size_t velkost, bool clr)
{
    const std::string obsah(reinterpret_cast<const char*>(data), velkost);
    const Riadky riadky = banka.celyText ? Riadky{obsah} : rozdelNaRiadky(obsah);
    for (int denne = 0; denne < 2; ++denne) {
        const NastaveniaKonverzie nastavenia{"2628765432", denne, "$ks $vs $ss $ref $txt $npu"};
        KlucSuboru kluc;
        HlavickaSuboru hlavicka;
        Vypisy vypisy(banka.format, denne == 1, hlavicka);
        const bool platny = banka.citaj(riadky, nastavenia, kluc, hlavicka, vypisy);
        if (banka.celyText && denne == 0) {
            KlucSuboru klucRiadkov;
            HlavickaSuboru hlavickaRiadkov;
            Vypisy vypisyRiadkov(banka.format, false, hlavickaRiadkov);
            over(banka.citaj(rozdelNaRiadky(obsah), nastavenia, klucRiadkov, hlavickaRiadkov, vypisyRiadkov)
                     == platny,
                 "its lines read as the whole text does");
        }
        if (!platny) continue;
        vypisy.dokonci();
        if (vypisy.odmietnuty()) continue;
        // The batch keys only a file that also reads.
        over(jeDatum(kluc.datum), "a file key's date is 8 digits", kluc.datum);
        over(kluc.oddelovac == '<' || kluc.oddelovac == '>' || kluc.oddelovac == ' ',
             "a file key's separator is <, > or a blank");
        for (std::size_t i = 0; i < vypisy.vypisy().size(); ++i)
            clr ? overClr(vypisy.vypisy()[i], vypisy.sumy()[i]) : overAbo(vypisy.vypisy()[i]);
    }
}

}  // namespace kasamat::fuzz
