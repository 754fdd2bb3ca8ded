#pragma once
// The ABO statement file (*.gpc): one "074" statement record, then one "075"
// item record per transaction, each 128 bytes. Format 2 (Tatra banka CSV) and
// Format 3 (Fio banka) write different values into a few fields.

#include "formats/format_vypisu.h"

namespace kasamat {

enum class VariantAbo { TatraCsv, Fio };

class FormatAbo final : public FormatVypisu {
public:
    explicit constexpr FormatAbo(VariantAbo variant) : m_variant(variant) {}

    std::string_view pripona() const override { return ".gpc"; }
    std::string zakladMena(std::string_view menoVstupu) const override;
    void pridajTransakciu(StavVypisu& stav, const Transakcia& t,
                          const HlavickaSuboru& hlavicka) const override;
    Uzaver uzavri(const StavVypisu& stav, const HlavickaSuboru& hlavicka,
                  int cisloVypisu) const override;

private:
    VariantAbo m_variant;
};

}  // namespace kasamat
