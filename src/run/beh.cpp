#include "run/beh.h"

#include <exception>

#include "banks/formaty.h"
#include "platform/cesta.h"
#include "platform/subory.h"
#include "run/davka.h"
#include "store/citanie_uloh.h"

namespace kasamat {

namespace {

// The list text of a stored value; a value outside the list leaves it without
// a selection, which shows as the empty text.
template <typename Tabulka>
std::string textZoznamu(const Tabulka& tabulka, int hodnota)
{
    return hodnota >= 0 && std::size_t(hodnota) < tabulka.size() ? std::string(tabulka[std::size_t(hodnota)])
                                                                 : std::string();
}

// The lines of one task in the validation summary; answers whether it is usable.
bool kontrolaUlohy(Hlasenie& hlasenie, int index, const Uloha& uloha)
{
    bool platna = true;
    hlasenie.riadok(polozkaZoznamu(index, uloha.nazov));

    if (jePriecinok(cestaZUtf8(uloha.priecinokVstup))) {
        hlasenie.riadok("Vstupný priečinok: " + uloha.priecinokVstup);
    } else {
        hlasenie.riadok("Nebol zadaný existujúci priečinok so vstupnými súbormi pre konverziu výpisov.");
        platna = false;
    }

    if (!jePriecinok(cestaZUtf8(uloha.priecinokVystup))) {
        hlasenie.riadok("Nebol zadaný existujúci priečinok pre výstupné súbory z konverzie výpisov.");
        platna = false;
    } else if (uloha.priecinokVystup == uloha.priecinokVstup) {
        hlasenie.riadok(
            "Priečinok pre výstupné súbory z konverzie výpisov sa musí odlišovať od priečinka so "
            "vstupnými súbormi.");
        platna = false;
    } else {
        hlasenie.riadok("Výstupný priečinok: " + uloha.priecinokVystup);
    }

    // A stored Format without a row of its own shows an empty text and is
    // asked for an account number, though it runs as Fio banka: the summary
    // has always shown such a task so.
    const bool vZozname = jeFormatVZozname(uloha.format);
    const FormatUlohy& format = formatUlohy(uloha.format);
    hlasenie.riadok("Formát: " + std::string(vZozname ? format.text : std::string_view()));

    // A Format whose exports name the account needs none from the task.
    if (format.cisloUctu || !vZozname) {
        if (uloha.cisloUctu.empty()) {
            hlasenie.riadok("Nebolo zadané číslo bankového účtu spracovávaných výpisov.");
            platna = false;
        } else {
            hlasenie.riadok("Číslo účtu: " + uloha.cisloUctu + "/" + std::string(format.kodBanky));
        }
    }

    hlasenie.riadok("Periodicita výpisov: " + textZoznamu(periodicityUloh, uloha.periodicita));
    hlasenie.riadok("Číslo ďalšieho výpisu: " + std::to_string(ohranicCisloVypisu(uloha.cisloVypisu)));
    if (format.platba) {
        hlasenie.riadok("Text: " + uloha.textPlatby);
        hlasenie.riadok("Ako variabilný symbol použiť: "
                        + textZoznamu(variabilneSymbolyUloh, uloha.variabilnySymbol));
    }
    hlasenie.riadok(oddelovaciRiadok);
    return platna;
}

}  // namespace

std::string polozkaZoznamu(int index, const std::string& nazov)
{
    return std::to_string(index + 1) + ". " + nazov;
}

void SpustiUlohy(ProstredieBehu& prostredie)
{
    const int vybrata = prostredie.vybrataUloha();
    for (int i = 0; i < prostredie.pocetUloh(); ++i) {
        prostredie.riadok(oddelovaciRiadok);
        const Uloha uloha = prostredie.vyberUlohu(i);
        prostredie.riadok(polozkaZoznamu(i, uloha.nazov));
        try {
            Konvertuj(*formatUlohy(uloha.format).konverzia, uloha, prostredie);
        } catch (const std::exception& chyba) {
            // The task's files stay as far as it got; the next task still runs.
            prostredie.riadok("Pri spracovaní úlohy nastala neočakávaná chyba: " + std::string(chyba.what()));
        }
        prostredie.riadok("Číslo ďalšieho výpisu: " + std::to_string(prostredie.cisloVypisu()));
    }
    prostredie.vyberUlohu(vybrata);
}

bool KontrolaNastaveni(ProstredieBehu& prostredie)
{
    bool vysledok = true;
    prostredie.riadok("Úlohy: ");
    prostredie.riadok(oddelovaciRiadok);
    const int vybrata = prostredie.vybrataUloha();
    for (int i = 0; i < prostredie.pocetUloh(); ++i) {
        if (!kontrolaUlohy(prostredie, i, prostredie.vyberUlohu(i))) vysledok = false;
    }
    prostredie.vyberUlohu(vybrata);
    prostredie.riadok("Uvedené parametre môžete zmeniť na záložke Nastavenie.");
    if (vysledok) prostredie.riadok("Operáciu spustíte kliknutím na tlačidlo Štart!");
    return vysledok;
}

}  // namespace kasamat
