#pragma once
// The CLR statement file (*.clr): one block of records per transaction, then
// a trailer of six records. Formats 0 and 1 write it, each with its own bank code.

#include "formats/format_vypisu.h"

namespace kasamat {

class FormatClr final : public FormatVypisu {
public:
    explicit constexpr FormatClr(std::string_view kodBanky) : m_kodBanky(kodBanky) {}

    std::string_view pripona() const override { return ".clr"; }
    std::string zakladMena(std::string_view menoVstupu) const override;
    void pridajTransakciu(StavVypisu& stav, const Transakcia& t,
                          const HlavickaSuboru& hlavicka) const override;
    std::size_t dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru& hlavicka,
                                std::int32_t poradie) const override;
    Uzaver uzavri(const StavVypisu& stav, const HlavickaSuboru& hlavicka, int cisloVypisu) const override;

private:
    std::string_view m_kodBanky;
};

}  // namespace kasamat
