#include <QMessageBox>
#include <exception>
#include <memory>

#include "app/aplikacia.h"
#include "app/frm_hlavny.h"
#include "app/frm_info.h"
#include "platform/cesta.h"
#include "platform/zamok.h"

using namespace kasamat;

int main(int argc, char* argv[])
{
    Aplikacia aplikacia(argc, argv);
    try {
        // One window per settings file, for its whole life: a second start
        // hands over to the running one without opening user.dat.
        const CestyAplikacie cesty = CestyAplikacie::programu();
        const ZamokNastaveni zamok(cestaZUtf8(cesty.databaza));
        if (zamok.stav() == ZamokNastaveni::Stav::Obsadeny) {
            if (!ukazOknoProcesu(zamok.drzitel()))
                QMessageBox::information(nullptr, QString::fromUtf8(titulAplikacie),
                                         QStringLiteral("Program Kasamat je už spustený."));
            return 0;
        }
        const auto hlavne = std::make_unique<TfrmHlavny>(cesty);
        frmHlavny = hlavne.get();
        frmInfo = new TfrmInfo(frmHlavny->cesty().releaseInfo, frmHlavny);
        frmHlavny->show();
        return aplikacia.exec();
    } catch (const std::exception& chyba) {
        ukazChybu(QString::fromUtf8(chyba.what()));
        return 1;
    }
}
