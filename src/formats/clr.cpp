#include "formats/clr.h"

namespace kasamat {

// Placeholder until the writer is built: writes nothing.
std::string FormatClr::zakladMena(std::string_view menoVstupu) const { return std::string(menoVstupu); }
void FormatClr::pridajTransakciu(StavVypisu&, const Transakcia&, const HlavickaSuboru&) const {}
FormatVypisu::Uzaver FormatClr::uzavri(const StavVypisu&, const HlavickaSuboru&, int) const { return {}; }

}  // namespace kasamat
