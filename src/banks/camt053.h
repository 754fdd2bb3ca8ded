#pragma once
// An ISO 20022 bank-to-customer statement (camt.053, *.xml) to ABO: any bank's
// statement export, its own account, balances and booked entries taken from
// the file. The values a statement takes from it, read alike everywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kasamat {

// An amount: digits, optionally "." and one or two digits, no sign, blank or
// exponent; its hundredths at most 12 digits.
std::optional<std::int64_t> sumaCamt(std::string_view text);

// A Slovak or Czech IBAN ("SK" or "CZ", 2 check digits, 20 digits) with its
// blanks removed and in upper case; empty for anything else, or when
// `kontrola` asks for the ISO 7064 mod-97 check and it fails.
std::string ibanSkCz(std::string_view text, bool kontrola);

}  // namespace kasamat
