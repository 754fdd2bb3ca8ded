#include "platform/program.h"

#include <system_error>

namespace kasamat {

std::filesystem::path priecinokProgramu() { return cestaProgramu().parent_path(); }

DocasnyPriecinok::~DocasnyPriecinok()
{
    std::error_code chyba;
    std::filesystem::remove_all(m_cesta, chyba);
}

}  // namespace kasamat
