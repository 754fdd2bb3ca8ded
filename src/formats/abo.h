#pragma once
// The ABO statement file (*.gpc): one "074" statement record, then one "075"
// item record per transaction, each 128 bytes. Format 2 (Tatra banka CSV),
// Format 3 (Fio banka) and Format 4 (ISO 20022 camt.053) write different
// values into a few fields.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/format_vypisu.h"

namespace kasamat {

enum class VariantAbo { TatraCsv, Fio, Camt053 };

class FormatAbo final : public FormatVypisu {
public:
    explicit constexpr FormatAbo(VariantAbo variant) : m_variant(variant) {}

    std::string_view pripona() const override { return ".gpc"; }
    std::string zakladMena(std::string_view menoVstupu) const override;
    void pridajTransakciu(StavVypisu& stav, const Transakcia& t,
                          const HlavickaSuboru& hlavicka) const override;
    std::size_t dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru& hlavicka,
                                std::int32_t poradie) const override;
    Uzaver uzavri(const StavVypisu& stav, const HlavickaSuboru& hlavicka, int cisloVypisu) const override;

private:
    VariantAbo m_variant;
};

// One field of a fixed-width ABO record. Numbers are right-aligned and filled
// with "0" on the left (never cut: the readers make sure each value fits);
// texts take their first bytes and are filled with blanks on the right. Fixed
// values (record type, signs, closing field) are written as texts.
enum class VyplnAbo { Nuly, Medzery };
struct PoleAbo {
    std::string_view nazov;
    std::size_t pozicia;  // 1-based
    std::size_t sirka;
    VyplnAbo vypln;
};

inline constexpr std::size_t dlzkaZaznamuAbo = 128;

inline constexpr std::array<PoleAbo, 15> zaznam074 = {{
    {"typ záznamu", 1, 3, VyplnAbo::Medzery},
    {"vlastný účet", 4, 16, VyplnAbo::Nuly},
    {"názov účtu", 20, 20, VyplnAbo::Medzery},
    {"dátum starého zostatku", 40, 6, VyplnAbo::Nuly},
    {"starý zostatok", 46, 14, VyplnAbo::Nuly},
    {"znamienko starého zostatku", 60, 1, VyplnAbo::Medzery},
    {"nový zostatok", 61, 14, VyplnAbo::Nuly},
    {"znamienko nového zostatku", 75, 1, VyplnAbo::Medzery},
    {"obrat debet", 76, 14, VyplnAbo::Nuly},
    {"znamienko obratu debet", 90, 1, VyplnAbo::Medzery},
    {"obrat kredit", 91, 14, VyplnAbo::Nuly},
    {"znamienko obratu kredit", 105, 1, VyplnAbo::Medzery},
    {"číslo výpisu", 106, 3, VyplnAbo::Nuly},
    {"dátum výpisu", 109, 6, VyplnAbo::Nuly},
    {"záver", 115, 14, VyplnAbo::Medzery},
}};

inline constexpr std::array<PoleAbo, 14> zaznam075 = {{
    {"typ záznamu", 1, 3, VyplnAbo::Medzery},
    {"vlastný účet", 4, 16, VyplnAbo::Nuly},
    {"protiúčet", 20, 16, VyplnAbo::Nuly},
    {"identifikátor transakcie", 36, 13, VyplnAbo::Nuly},
    {"suma", 49, 12, VyplnAbo::Nuly},
    {"kód účtovania", 61, 1, VyplnAbo::Medzery},
    {"variabilný symbol", 62, 10, VyplnAbo::Nuly},
    {"kód banky", 72, 6, VyplnAbo::Nuly},
    {"konštantný symbol", 78, 4, VyplnAbo::Nuly},
    {"špecifický symbol", 82, 10, VyplnAbo::Nuly},
    {"dátum valuty", 92, 6, VyplnAbo::Nuly},
    {"text", 98, 20, VyplnAbo::Medzery},
    {"kód", 118, 5, VyplnAbo::Medzery},
    {"dátum", 123, 6, VyplnAbo::Nuly},
}};

// Each field starts where the one before it ends, and together they fill the record.
constexpr bool dlazdiZaznam(const auto& polia)
{
    std::size_t dalsia = 1;
    for (const PoleAbo& pole : polia) {
        if (pole.pozicia != dalsia) return false;
        dalsia += pole.sirka;
    }
    return dalsia == dlzkaZaznamuAbo + 1;
}
static_assert(dlazdiZaznam(zaznam074) && dlazdiZaznam(zaznam075),
              "the fields of a record tile its 128 bytes");

// The ISO 4217 numeric code of a currency filled with "0" to 5, for the code
// field of Format 4's items; "00000" for a currency without one here.
std::string_view kodMenyAbo(std::string_view mena);

// Widths of the item fields that the readers fill from an export.
inline constexpr std::size_t sirkaSumyAbo = 12;
inline constexpr std::size_t sirkaKoduBankyAbo = 6;
inline constexpr std::size_t sirkaVariabilnehoAbo = 10;
inline constexpr std::size_t sirkaKonstantnehoAbo = 4;
inline constexpr std::size_t sirkaSpecifickehoAbo = 10;

// The internal order of a plain 16-digit account number (prefix of 6, base
// number of 10), the order Tatra banka's ABO files carry: characters 16, 14,
// 15, 12, 7 to 11, 13, then 1 to 6.
std::string vnutornePoradie(std::string_view ucet16);
// The same appended to `ciel`.
void pridajVnutornePoradie(std::string& ciel, std::string_view ucet16);

// The running sums of one input file. A balance or turnover is written with 14
// digits; a file whose sums would need more cannot become a valid statement.
// Every statement of a file holds a part of its transactions and opens with
// the balance the file has reached, so checking the whole file's debit and
// credit sums and every balance it runs through covers all of its statements.
class SumyAbo {
public:
    static constexpr std::int64_t najviac = 99'999'999'999'999;

    explicit SumyAbo(std::int64_t pociatocnyZostatok = 0);
    // False when the opening balance does not fit.
    bool platne() const { return m_platne; }
    // Counts a transaction; false once a sum or the balance no longer fits.
    bool pripocitaj(const Transakcia& t);

private:
    std::int64_t m_debet = 0;
    std::int64_t m_kredit = 0;
    std::int64_t m_zostatok;
    bool m_platne;
};

}  // namespace kasamat
