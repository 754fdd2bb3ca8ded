// The Tatra banka CSV record test.

#include "banks/tatra_csv.h"
#include "vlastnosti.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t velkost)
{
    kasamat::fuzz::overZaznam(kasamat::KontrolaRiadkuTatraCsv,
                              std::string_view(reinterpret_cast<const char*>(data), velkost));
    return 0;
}
