#include "app/aplikacia.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

namespace kasamat {

namespace {

// Qt's Slovak translation as Debian ships it predates Qt 6, which asks for
// the standard buttons' texts under the context "QPlatformTheme"; the same
// texts stand in it under "QDialogButtonBox".
class PrekladQt : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* kontext, const char* text, const char* rozlisenie, int n) const override
    {
        const QString preklad = QTranslator::translate(kontext, text, rozlisenie, n);
        if (!preklad.isEmpty() || qstrcmp(kontext, "QPlatformTheme") != 0) return preklad;
        return QTranslator::translate("QDialogButtonBox", text, rozlisenie, n);
    }
};

void nacitajPrekladQt(QCoreApplication& aplikacia)
{
    // The framework's own texts (the folder picker, the context menus, the
    // standard buttons) in Slovak: from Qt's translations where the system
    // keeps them, or from the program folder where they ship beside it.
    auto* preklad = new PrekladQt(&aplikacia);
    const QLocale slovencina(QLocale::Slovak, QLocale::Slovakia);
    for (const QString& priecinok :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")})
        if (preklad->load(slovencina, QStringLiteral("qtbase"), QStringLiteral("_"), priecinok)) {
            QCoreApplication::installTranslator(preklad);
            return;
        }
}

}  // namespace

Aplikacia::Aplikacia(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(titulAplikacie));
    nacitajPrekladQt(*this);
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
