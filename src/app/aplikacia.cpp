#include "app/aplikacia.h"

#include <QMessageBox>
#include <exception>

namespace kasamat {

Aplikacia::Aplikacia(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(titulAplikacie));
}

bool Aplikacia::notify(QObject* prijemca, QEvent* udalost)
{
    try {
        return QApplication::notify(prijemca, udalost);
    } catch (const std::exception& chyba) {
        ukazChybu(QString::fromUtf8(chyba.what()));
    } catch (...) {
        ukazChybu(QStringLiteral("Neznáma chyba."));
    }
    return false;
}

void ukazChybu(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QString::fromUtf8(titulAplikacie), text);
}

}  // namespace kasamat
