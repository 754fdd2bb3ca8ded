#include <QMessageBox>
#include <exception>
#include <memory>

#include "app/aplikacia.h"
#include "app/frm_hlavny.h"
#include "app/frm_info.h"

using namespace kasamat;

int main(int argc, char* argv[])
{
    Aplikacia aplikacia(argc, argv);
    try {
        const auto hlavne = std::make_unique<TfrmHlavny>();
        frmHlavny = hlavne.get();
        frmInfo = new TfrmInfo(frmHlavny->cesty().releaseInfo, frmHlavny);
        frmHlavny->show();
        return aplikacia.exec();
    } catch (const std::exception& chyba) {
        ukazChybu(QString::fromUtf8(chyba.what()));
        return 1;
    }
}
