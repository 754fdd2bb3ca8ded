#include "banks/tatra_txt.h"

#include <string>

#include "banks/banka.h"
#include "formats/bajty.h"
#include "formats/clr.h"

namespace kasamat {

const std::string_view tatraTxtCiara =
    "------------+------------+------------------+------+--------+--------+------------+---------+"
    "------------+------------+------------+----------------------------------------------------------"
    "--------------+------------------------------------------------------------------------+";
const std::string_view tatraTxtNadpis1 =
    "Datum       | Datum      | Suma             | Mena | Typ    | Prefix | Cislo      | Kod     | "
    "Konstantny | Variabilny | Specificky | Ucel Platby                                              "
    "              | Popis                                                                  |";
const std::string_view tatraTxtNadpis2 =
    "Spracovania | Zuctovania |                  |      | Platby | Uctu   | Uctu       | Banky   | "
    "Symbol     | Symbol     | Symbol     |                                                          "
    "              |                                                                        |";

namespace {

const FormatClr formatClr("1100");

constexpr bool tabulkaVPoradi()
{
    for (std::size_t i = 0; i < tatraTxtPolia.size(); ++i)
        if (static_cast<std::size_t>(tatraTxtPolia[i].stlpec) != i) return false;
    return true;
}
static_assert(tabulkaVPoradi(), "the column table is indexed by its columns");

// Lines 1 to 4 are the header; the last line closes the file.
constexpr std::size_t prvyRiadokTransakcie = 4;

std::string_view pole(std::string_view riadok, StlpecTatraTxt stlpec)
{
    const PoleTatraTxt& p = tatraTxtPolia[static_cast<std::size_t>(stlpec)];
    return usek(riadok, p.pozicia, p.sirka);
}

// yyyymmdd into a kept string, so that the reader allocates nothing per line.
void datum(std::string_view riadok, StlpecTatraTxt den, StlpecTatraTxt mesiac, StlpecTatraTxt rok,
           std::string& vysledok)
{
    vysledok.assign(pole(riadok, rok));
    vysledok += pole(riadok, mesiac);
    vysledok += pole(riadok, den);
}

void datumSpracovania(std::string_view riadok, std::string& vysledok)
{
    datum(riadok, StlpecTatraTxt::DenSpracovania, StlpecTatraTxt::MesiacSpracovania,
          StlpecTatraTxt::RokSpracovania, vysledok);
}

// The file key compares dates as numbers: a processing date that is not
// eight digits cannot key the file, which then counts as invalid.
bool ciselnyDatum(std::string_view datum) { return datum.size() == 8 && ibaCislice(datum); }

bool test(const Riadky& riadky, KlucSuboru& kluc)
{
    if (riadky.size() < prvyRiadokTransakcie + 2) return false;
    if (riadky[0] != tatraTxtCiara || riadky[1] != tatraTxtNadpis1 || riadky[2] != tatraTxtNadpis2
        || riadky[3] != tatraTxtCiara || riadky.back() != tatraTxtCiara)
        return false;
    std::string prvy, posledny;
    datumSpracovania(riadky[prvyRiadokTransakcie], prvy);
    datumSpracovania(riadky[riadky.size() - 2], posledny);
    if (!ciselnyDatum(prvy) || !ciselnyDatum(posledny)) return false;
    // Eight digits each: comparing the texts compares the numbers.
    if (prvy > posledny) {
        kluc.datum = prvy;
        kluc.oddelovac = '>';
    } else {
        kluc.datum = posledny;
        kluc.oddelovac = '<';
    }
    return true;
}

void nacitajTransakciu(std::string_view riadok, Transakcia& t)
{
    using S = StlpecTatraTxt;
    t.rezDatum.assign(usek(riadok, 1, 10));
    datumSpracovania(riadok, t.datum);
    datum(riadok, S::DenZuctovania, S::MesiacZuctovania, S::RokZuctovania, t.datum2);
    t.sumaText.assign(orez(pole(riadok, S::Jednotky)));
    t.sumaText += pole(riadok, S::Stotiny);
    t.suma = atolHodnota(t.sumaText);
    t.mena.assign(pole(riadok, S::Mena));
    t.debet = pole(riadok, S::TypPlatby) == "Debet";

    std::string_view cislo = orez(pole(riadok, S::CisloUctu));
    if (cislo.empty()) cislo = "00";
    const std::string_view kod = orez(pole(riadok, S::KodBanky));
    t.kodBanky.assign(kod.empty() ? std::string_view("0000") : kod);
    std::string_view popis = orez(pole(riadok, S::UcelPlatby));
    if (popis.empty()) popis = orez(pole(riadok, S::Popis));

    t.protiucet.assign(orez(pole(riadok, S::Predcislie)));
    t.protiucet += ' ';
    t.protiucet += cislo;
    t.protiucet += ' ';
    t.protiucet += popis.substr(0, 20);

    t.konstantnySymbol.assign(orez(pole(riadok, S::KonstantnySymbol)));
    t.variabilnySymbol.assign(orez(pole(riadok, S::VariabilnySymbol)));
    t.specifickySymbol.assign(orez(pole(riadok, S::SpecifickySymbol)));
}

bool citaj(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
           HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca)
{
    if (!test(riadky, kluc)) return false;
    hlavicka.vlastnyUcet = nastavenia.cisloUctu;

    const std::size_t pocet = riadky.size() - prvyRiadokTransakcie - 1;
    std::int64_t obrat = 0;
    Transakcia t;
    for (std::size_t i = 0; i < pocet; ++i) {
        const std::size_t index = kluc.oddelovac == '>' ? riadky.size() - 2 - i : prvyRiadokTransakcie + i;
        nacitajTransakciu(riadky[index], t);
        if (!pripocitajObrat(obrat, t.suma) || !prijemca.prijmi(t)) return false;
    }
    return true;
}

}  // namespace

const Banka KonverziaTatraTxt{"txt", formatClr, citaj};

}  // namespace kasamat
