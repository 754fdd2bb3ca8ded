// The TrustPay record test, and the split of every record that passes it.

#include "banks/trustpay_zaznam.h"
#include "vlastnosti.h"

using namespace kasamat;
using namespace kasamat::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t velkost)
{
    const std::string_view zaznam(reinterpret_cast<const char*>(data), velkost);
    if (overZaznam(KontrolaRiadkuTrustPay, zaznam) != 1) return 0;
    const PolozkaTrustPay p = NacitatPolozkuTrustPay(zaznam);
    over(p.datumText.size() == 12, "the cut's date text is 12 bytes", p.datumText);
    over(jeDatum(p.datumKluc), "the key date is 8 digits", p.datumKluc);
    over(!p.sumaText.empty() && ibaCislice(p.sumaText), "the amount's text is digits", p.sumaText);
    over(p.sumaText.size() > 18 || hodnota(p.sumaText) == p.suma, "the amount is its text's value",
         p.sumaText);
    over(p.suma >= 0, "the amount is unsigned", p.sumaText);
    return 0;
}
