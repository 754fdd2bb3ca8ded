#include "platform/program.h"

#include <QStandardPaths>
#include <string_view>
#include <system_error>

#include "platform/cesta.h"

namespace kasamat {

namespace {

// Empty for a program folder; the package's data folder for an installed program.
constexpr std::string_view priecinokBalika = KASAMAT_DATA_DIR;

}  // namespace

std::filesystem::path priecinokProgramu() { return cestaProgramu().parent_path(); }

std::filesystem::path priecinokSuborovProgramu()
{
    return priecinokBalika.empty() ? priecinokProgramu() : cestaZUtf8(priecinokBalika);
}

std::filesystem::path priecinokNastaveni()
{
    if (priecinokBalika.empty()) return priecinokProgramu();
    const std::filesystem::path priecinok =
        cestaZUtf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString())
        / "Kasamat";
    std::error_code chyba;
    std::filesystem::create_directories(priecinok, chyba);
    return priecinok;
}

DocasnyPriecinok::~DocasnyPriecinok()
{
    std::error_code chyba;
    std::filesystem::remove_all(m_cesta, chyba);
}

}  // namespace kasamat
