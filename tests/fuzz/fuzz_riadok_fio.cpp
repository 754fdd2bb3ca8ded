// The Fio banka transaction line test.

#include "banks/fio.h"
#include "vlastnosti.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t velkost)
{
    const std::string_view riadok(reinterpret_cast<const char*>(data), velkost);
    const int vysledok = kasamat::KontrolaRiadkuFio(riadok);
    kasamat::fuzz::over(vysledok == 0 || vysledok == 1, "a line tests 0 or 1");
    kasamat::fuzz::over(kasamat::KontrolaRiadkuFio(riadok) == vysledok, "the test is repeatable");
    return 0;
}
