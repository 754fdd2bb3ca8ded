#include "banks/banka.h"

namespace kasamat {

const Banka& bankaFormatu(int format)
{
    switch (format) {
    case 0: return KonverziaTatraTxt;
    case 1: return KonverziaTrustPay;
    case 2: return KonverziaTatraCsv;
    default: return KonverziaFio;
    }
}

}  // namespace kasamat
