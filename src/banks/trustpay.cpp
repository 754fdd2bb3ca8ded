#include "banks/banka.h"
#include "formats/clr.h"

namespace kasamat {

// Placeholder until the conversion is built: no file passes its test.
namespace {
const FormatClr formatClr("9952");
bool test(const Riadky&, KlucSuboru&) { return false; }
bool citaj(const Riadky&, char, const NastaveniaKonverzie&, HlavickaSuboru&, PrijemcaTransakcii&) { return false; }
}  // namespace

const Banka KonverziaTrustPay{"csv", formatClr, test, citaj};

}  // namespace kasamat
