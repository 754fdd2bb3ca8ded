#include "store/verzia.h"

#include "platform/cesta.h"
#include "platform/subory.h"
#include "platform/verzia_programu.h"

namespace kasamat {

std::string VerziaProgramu()
{
    const std::string verzia = verziaSuboruProgramu();
    return verzia.empty() ? nezistenaVerzia : verzia;
}

bool KontrolaSuboru(const std::string& cesta) { return jeSubor(cestaZUtf8(cesta)); }

std::string VerziaDatabazy(Databaza& databaza, const std::string& cesta)
{
    if (!KontrolaSuboru(cesta)) return {};
    if (!databaza.otvor(cesta)) return {};
    if (databaza.SQL("SELECT Cislo FROM Verzia;") < 1) return {};
    return databaza.text(0, "Cislo");
}

bool KontrolaDatabazy(Databaza& databaza, const std::string& cesta)
{
    return VerziaDatabazy(databaza, cesta) == VerziaProgramu();
}

}  // namespace kasamat
