#include "app/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace kasamat {

namespace {

class DesktopShell : public Shell {
public:
    // The desktop decides how the opened window appears; the wished state
    // cannot be passed through it and is left to the opened program.
    void otvor(const QString& ciel, StavOkna) override
    {
        const QUrl adresa = QDir::isAbsolutePath(ciel) ? QUrl::fromLocalFile(ciel) : QUrl(ciel);
        QDesktopServices::openUrl(adresa);
    }
};

}  // namespace

Shell& systemovyShell()
{
    static DesktopShell shell;
    return shell;
}

}  // namespace kasamat
