#include "formats/abo.h"

namespace kasamat {

// Placeholder until the writer is built: writes nothing.
std::string FormatAbo::zakladMena(std::string_view menoVstupu) const { return std::string(menoVstupu); }
void FormatAbo::pridajTransakciu(StavVypisu&, const Transakcia&, const HlavickaSuboru&) const {}
FormatVypisu::Uzaver FormatAbo::uzavri(const StavVypisu&, const HlavickaSuboru&, int) const { return {}; }

}  // namespace kasamat
