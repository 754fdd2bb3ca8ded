#include "run/davka.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "banks/riadky.h"
#include "formats/bajty.h"
#include "formats/cp1250.h"
#include "platform/cesta.h"
#include "platform/poradie_klucov.h"
#include "platform/subory.h"
#include "store/citanie_uloh.h"

namespace kasamat {

namespace fs = std::filesystem;

namespace {

// One entry of the scan.
struct Subor {
    explicit Subor(std::string menoSuboru) : meno(std::move(menoSuboru)) {}

    std::string meno;  // UTF-8, as the scan gave it
    bool platny = false;
    // The key as pass 1 read it: date, separator, name.
    std::string kluc;
    // The names of the statement files it gives, in the order they are written.
    std::vector<std::string> vypisy;
    // The bytes of each statement's transaction records.
    std::vector<std::size_t> dlzky;
};

// The daily cut compares the date texts exactly as the bank wrote them: any
// difference starts a new statement.
bool novyDen(bool denne, std::string_view predchadzajuci, const Transakcia& t)
{
    return denne && t.rezDatum != predchadzajuci;
}

// Pass 1: follows the cut of pass 2 and keeps the date of each statement the
// file will give, and the length of its transaction records, which the
// format computes without writing them: pass 2 reserves it, so that a
// statement of a large export is held once, never twice while its growing
// text is copied.
class PlanVypisov final : public PrijemcaTransakcii {
public:
    PlanVypisov(bool denne, const FormatVypisu& format, const HlavickaSuboru& hlavicka)
        : m_denne(denne), m_format(format), m_hlavicka(hlavicka)
    {
    }

    bool prijmi(const Transakcia& t) override
    {
        if (m_datumy.empty() || novyDen(m_denne, m_predchadzajuci, t)) {
            // A day that comes back after another one would give a second
            // statement of that day, written over the first.
            if (!m_dni.insert(t.rezDatum).second) {
                m_vratilSaDen = true;
                return false;
            }
            m_datumy.emplace_back();
            m_dlzky.push_back(0);
            m_poradie = 1;
        }
        m_predchadzajuci = t.rezDatum;
        m_datumy.back() = t.datum;
        m_dlzky.back() += m_format.dlzkaTransakcie(t, m_hlavicka, m_poradie++);
        return true;
    }

    // The file gives at least one statement (unless its bank lets a file
    // without a transaction be valid), no day twice, and names every
    // statement by a date of eight digits: a reader that cuts a date from a
    // column as it stands may hand over anything there, even a path separator.
    // Two day texts may also name one date ("01.03.2019" and "01/03/2019"):
    // the second statement would be written over the first.
    bool pouzitelny(bool bezPohybovPlatny) const
    {
        const bool jedinecne =
            std::unordered_set<std::string>(m_datumy.begin(), m_datumy.end()).size() == m_datumy.size();
        return (!m_datumy.empty() || bezPohybovPlatny) && !m_vratilSaDen && jedinecne
            && std::all_of(m_datumy.begin(), m_datumy.end(),
                           [](const std::string& datum) { return datum.size() == 8 && ibaCislice(datum); });
    }
    const std::vector<std::string>& datumy() const { return m_datumy; }
    const std::vector<std::size_t>& dlzky() const { return m_dlzky; }

private:
    bool m_denne;
    const FormatVypisu& m_format;
    const HlavickaSuboru& m_hlavicka;
    // The number of the next transaction in its statement.
    std::int32_t m_poradie = 1;
    std::vector<std::size_t> m_dlzky;
    std::string m_predchadzajuci;
    std::unordered_set<std::string> m_dni;
    std::vector<std::string> m_datumy;
    bool m_vratilSaDen = false;
};

enum class Vysledok { Hotovo, Zmeneny, ChybaZapisu };

class Davka {
public:
    Davka(const Banka& banka, const Uloha& uloha, Hlasenie& hlasenie)
        : m_banka(banka), m_format(banka.format), m_uloha(uloha), m_hlasenie(hlasenie),
          m_vstup(cestaZUtf8(uloha.priecinokVstup)), m_vystup(cestaZUtf8(uloha.priecinokVystup)),
          m_denne(uloha.periodicita == 1),
          m_cislo(ohranicCisloVypisu(uloha.cisloVypisu)), m_nastavenia{cp1250ZUtf8(uloha.cisloUctu),
                                                                       uloha.variabilnySymbol,
                                                                       cp1250ZUtf8(uloha.textPlatby)}
    {
    }

    void spusti();
    bool denne() const { return m_denne; }
    const FormatVypisu& format() const { return m_format; }
    // Closes the statement: writes it as statement number `index` of the file
    // (counted from 0), logs it and advances the task's number.
    Vysledok UlozitVypis(const Subor& subor, std::size_t index, const StavVypisu& stav,
                         const HlavickaSuboru& hlavicka);
    // A file that gave no transaction in pass 2: logged in the place of its
    // statements when pass 1 found none either.
    Vysledok ohlasBezPohybov(const Subor& subor);

private:
    static std::string klucSuboru(const KlucSuboru& kluc, const Subor& subor)
    {
        return kluc.datum + kluc.oddelovac + subor.meno;
    }
    std::string menoVypisu(const Subor& subor, const std::string& datum) const
    {
        return m_format.zakladMena(subor.meno) + " (" + datum + ")" + std::string(m_format.pripona());
    }
    // Reads the file into the kept text and splits it into the kept lines.
    bool nacitaj(const Subor& subor);
    void prvyPrechod(Subor& subor);
    std::vector<Subor*> poradieKonverzie();
    Vysledok druhyPrechod(const Subor& subor);
    void ohlasNeplatne() const;

    const Banka& m_banka;
    const FormatVypisu& m_format;
    const Uloha& m_uloha;
    Hlasenie& m_hlasenie;
    const fs::path m_vstup;
    const fs::path m_vystup;
    const bool m_denne;
    int m_cislo;
    const NastaveniaKonverzie m_nastavenia;
    std::vector<Subor> m_subory;
    // Kept across statements so that a run of statements does not reallocate.
    StavVypisu m_stav;
    // Kept across both passes and every file: a large export is read into
    // memory already in place, not into fresh pages for each pass.
    ObsahSuboru m_obsah;
    Riadky m_riadky;
};

// Pass 2: builds the statements of one file and closes each one.
class Zostavovac final : public PrijemcaTransakcii {
public:
    Zostavovac(Davka& davka, const Subor& subor, StavVypisu& stav, const HlavickaSuboru& hlavicka)
        : m_davka(davka), m_subor(subor), m_stav(stav), m_hlavicka(hlavicka)
    {
    }

    bool prijmi(const Transakcia& t) override
    {
        // The bank fills the header before the first transaction.
        if (!m_zacaty) {
            m_stav.vynuluj(m_hlavicka.pociatocnyZostatok.value_or(0));
            rezervuj();
            m_zacaty = true;
        } else if (novyDen(m_davka.denne(), m_stav.predchadzajuciDatum, t)) {
            m_vysledok = uloz();
            if (m_vysledok != Vysledok::Hotovo) return false;
            // A bank that states an opening balance carries it on from statement to statement.
            m_stav.vynuluj(m_hlavicka.pociatocnyZostatok ? m_stav.konecnyZostatok() : 0);
            rezervuj();
        }
        m_stav.predchadzajuciDatum = t.rezDatum;
        m_davka.format().pridajTransakciu(m_stav, t, m_hlavicka);
        m_stav.zapocitaj(t);
        return true;
    }

    // After the reading: closes the last statement, unless the reading
    // stopped. A file that passed pass 1 and now does not read has changed
    // meanwhile; its unfinished statement is not written.
    Vysledok dokonci(bool precitany)
    {
        if (m_vysledok != Vysledok::Hotovo) return m_vysledok;
        if (!precitany) return Vysledok::Zmeneny;
        if (!m_zacaty) return m_davka.ohlasBezPohybov(m_subor);
        return uloz();
    }

private:
    // The statement's text as pass 1 measured it; a file that changed since
    // then only grows the text as it goes.
    void rezervuj()
    {
        if (m_zapisanych < m_subor.dlzky.size()) m_stav.text.reserve(m_subor.dlzky[m_zapisanych]);
    }

    // A statement whose records are not the bytes pass 1 planned comes from a
    // file that changed since then, even where its names stayed the same.
    Vysledok uloz()
    {
        if (m_zapisanych >= m_subor.dlzky.size() || m_stav.text.size() != m_subor.dlzky[m_zapisanych])
            return Vysledok::Zmeneny;
        return m_davka.UlozitVypis(m_subor, m_zapisanych++, m_stav, m_hlavicka);
    }

    Davka& m_davka;
    const Subor& m_subor;
    StavVypisu& m_stav;
    const HlavickaSuboru& m_hlavicka;
    bool m_zacaty = false;
    std::size_t m_zapisanych = 0;
    Vysledok m_vysledok = Vysledok::Hotovo;
};

}  // namespace

namespace {

void Davka::spusti()
{
    odstranOpusteneDocasne(m_vystup);
    const std::vector<std::string> mena = prehladajPriecinok(m_vstup, m_banka.pripona);
    if (mena.empty()) {
        m_hlasenie.riadok("Vstupný priečinok neobsahuje žiadne *." + std::string(m_banka.pripona)
                          + " súbory.");
        return;
    }
    m_subory.reserve(mena.size());
    for (const std::string& meno : mena) prvyPrechod(m_subory.emplace_back(meno));

    for (Subor* subor : poradieKonverzie()) {
        const Vysledok vysledok = druhyPrechod(*subor);
        if (vysledok == Vysledok::ChybaZapisu) break;
        if (vysledok == Vysledok::Zmeneny) {
            subor->platny = false;
            continue;
        }
        // A failed move leaves the input where it was; its statements stand.
        presunBezNahradenia(m_vstup / cestaZUtf8(subor->meno), m_vystup / cestaZUtf8(subor->meno));
    }
    ohlasNeplatne();
}

bool Davka::nacitaj(const Subor& subor)
{
    if (!citajCelySubor(m_vstup / cestaZUtf8(subor.meno), m_obsah)) return false;
    if (m_banka.celyText)
        m_riadky.assign(1, m_obsah.text());
    else
        rozdelNaRiadky(m_obsah.text(), m_riadky);
    return true;
}

void Davka::prvyPrechod(Subor& subor)
{
    if (!nacitaj(subor)) return;
    KlucSuboru kluc;
    HlavickaSuboru hlavicka;
    PlanVypisov plan(m_denne, m_format, hlavicka);
    if (!m_banka.citaj(m_riadky, m_nastavenia, kluc, hlavicka, plan)
        || !plan.pouzitelny(!m_banka.bezPohybov.empty()))
        return;

    subor.platny = true;
    subor.kluc = klucSuboru(kluc, subor);
    for (const std::string& datum : plan.datumy()) subor.vypisy.push_back(menoVypisu(subor, datum));
    subor.dlzky = plan.dlzky();
}

// The valid files in key order. A file whose statement would take the name of
// a statement that an earlier file writes in this run is invalid: no statement
// of a run is written over by a later one.
std::vector<Subor*> Davka::poradieKonverzie()
{
    std::vector<Subor*> platne;
    std::vector<std::string> kluce;
    for (Subor& subor : m_subory) {
        if (!subor.platny) continue;
        platne.push_back(&subor);
        kluce.push_back(subor.kluc);
    }
    std::vector<Subor*> poradie;
    std::unordered_set<std::string> obsadene;
    for (const std::size_t index : poradieKlucov(kluce)) {
        Subor& subor = *platne[index];
        const bool koliduje = std::any_of(subor.vypisy.begin(), subor.vypisy.end(),
                                          [&](const std::string& meno) { return obsadene.count(meno) > 0; });
        if (koliduje) {
            subor.platny = false;
            continue;
        }
        obsadene.insert(subor.vypisy.begin(), subor.vypisy.end());
        poradie.push_back(&subor);
    }
    return poradie;
}

Vysledok Davka::druhyPrechod(const Subor& subor)
{
    if (!nacitaj(subor)) return Vysledok::Zmeneny;
    KlucSuboru kluc;
    HlavickaSuboru hlavicka;
    Zostavovac zostavovac(*this, subor, m_stav, hlavicka);
    const bool precitany = m_banka.citaj(m_riadky, m_nastavenia, kluc, hlavicka, zostavovac);
    // A changed key would have put the file elsewhere in the order.
    return zostavovac.dokonci(precitany && klucSuboru(kluc, subor) == subor.kluc);
}

Vysledok Davka::UlozitVypis(const Subor& subor, std::size_t index, const StavVypisu& stav,
                            const HlavickaSuboru& hlavicka)
{
    const std::string meno = menoVypisu(subor, stav.datumVypisu);
    // Only the names planned in pass 1 are free of collisions; a file that
    // changed since then may give others.
    if (index >= subor.vypisy.size() || subor.vypisy[index] != meno) return Vysledok::Zmeneny;

    const FormatVypisu::Uzaver uzaver = m_format.uzavri(stav, hlavicka, m_cislo);
    if (!zapisCelySubor(m_vystup / cestaZUtf8(meno), {uzaver.pred, stav.text, uzaver.za})) {
        m_hlasenie.riadok("Výpis č. " + std::to_string(m_cislo) + " sa nepodarilo zapísať: " + meno);
        return Vysledok::ChybaZapisu;
    }
    m_hlasenie.riadok("Vygenerovaný výpis č. " + std::to_string(m_cislo) + ": " + meno);
    m_cislo = std::min(m_cislo + 1, najvyssieCisloVypisu);
    // The run goes on numbering from memory; the user must learn that the
    // task would otherwise give this number a second time on its next run.
    if (!m_hlasenie.noveCisloVypisu(m_uloha.id, m_cislo))
        m_hlasenie.riadok("Číslo ďalšieho výpisu " + std::to_string(m_cislo)
                          + " sa nepodarilo uložiť do nastavení úlohy.");
    return Vysledok::Hotovo;
}

Vysledok Davka::ohlasBezPohybov(const Subor& subor)
{
    if (!subor.vypisy.empty()) return Vysledok::Zmeneny;
    m_hlasenie.riadok(std::string(m_banka.bezPohybov) + subor.meno);
    return Vysledok::Hotovo;
}

void Davka::ohlasNeplatne() const
{
    std::string zoznam;
    for (const Subor& subor : m_subory) {
        if (subor.platny) continue;
        if (!zoznam.empty()) zoznam += ", ";
        zoznam += subor.meno;
    }
    if (!zoznam.empty()) m_hlasenie.riadok("Súbory, ktoré nie sú platnými bankovými výpismi: " + zoznam);
}

}  // namespace

void Konvertuj(const Banka& banka, const Uloha& uloha, Hlasenie& hlasenie)
{
    Davka(banka, uloha, hlasenie).spusti();
}

}  // namespace kasamat
