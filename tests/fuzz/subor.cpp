// A whole export through its bank's file test and, when accepted, into
// statements. Built once per bank: BANKA names the conversion, CLR tells
// which statement format it writes.

#include "vlastnosti.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t velkost)
{
    kasamat::fuzz::konvertujAOver(kasamat::BANKA, data, velkost, CLR);
    return 0;
}
