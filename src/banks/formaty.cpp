#include "banks/formaty.h"

#include <vector>

namespace kasamat {

namespace {

constexpr int formatFio = 3;

std::vector<FormatUlohy>& tabulka()
{
    static std::vector<FormatUlohy> riadky = {
        {"Tatra banka (pôvodný IB) *.txt -> Tatra Banka InternetBanking *.clr", &KonverziaTatraTxt, "1100",
         true, false},
        {"Trust Pay *.csv -> Tatra Banka InternetBanking *.clr", &KonverziaTrustPay, "9952", true, true},
        {"Tatra banka (nový IB) *.csv -> formát ABO *.gpc", &KonverziaTatraCsv, "1100", true, false},
        {"Fio banka *.csv -> formát ABO *.gpc", &KonverziaFio, "8330", false, false},
        {"ISO 20022 camt.053 *.xml -> formát ABO *.gpc", &KonverziaCamt053, "", false, false},
    };
    return riadky;
}

}  // namespace

std::span<const FormatUlohy> formatyUloh() { return tabulka(); }

bool jeFormatVZozname(int format) { return format >= 0 && std::size_t(format) < tabulka().size(); }

const FormatUlohy& formatUlohy(int format)
{
    return tabulka()[std::size_t(jeFormatVZozname(format) ? format : formatFio)];
}

int pridajFormat(const FormatUlohy& riadok)
{
    tabulka().push_back(riadok);
    return int(tabulka().size()) - 1;
}

}  // namespace kasamat
