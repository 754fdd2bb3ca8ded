#include "app/start_thread.h"

#include <QComboBox>
#include <exception>
#include <optional>

#include "app/frm_hlavny.h"
#include "run/beh.h"

namespace kasamat {

namespace {

// The run's view of the window from the worker's thread: every call is carried
// out on the window's thread, in order, while the worker waits for it. An
// error raised there is raised again on the worker's side.
class ProstredieVlakna : public ProstredieBehu {
public:
    explicit ProstredieVlakna(TfrmHlavny& okno) : m_okno(okno) {}

    template <typename Krok>
    void naOkne(Krok&& krok)
    {
        std::exception_ptr chyba;
        QMetaObject::invokeMethod(
            &m_okno,
            [&] {
                try {
                    krok();
                } catch (...) {
                    chyba = std::current_exception();
                }
            },
            Qt::BlockingQueuedConnection);
        if (chyba) std::rethrow_exception(chyba);
    }

    void riadok(const std::string& text) override
    {
        naOkne([&] { m_okno.riadok(text); });
    }
    bool noveCisloVypisu(int idUlohy, int cislo) override
    {
        naOkne([&] { m_okno.ukazCisloVypisu(cislo); });
        return m_okno.ulozCisloVypisu(idUlohy, cislo);
    }
    int pocetUloh() override
    {
        int pocet = 0;
        naOkne([&] { pocet = m_okno.pocetUloh(); });
        return pocet;
    }
    int vybrataUloha() override
    {
        int index = -1;
        naOkne([&] { index = m_okno.vybrataUloha(); });
        return index;
    }
    Uloha vyberUlohu(int index) override
    {
        Uloha uloha;
        naOkne([&] { uloha = m_okno.vyberUlohu(index); });
        return uloha;
    }
    int cisloVypisu() override
    {
        int cislo = 0;
        naOkne([&] { cislo = m_okno.cisloVypisu(); });
        return cislo;
    }

private:
    TfrmHlavny& m_okno;
};

}  // namespace

TStartThread::TStartThread(TfrmHlavny& okno) : m_okno(okno), m_povodnaUloha(okno.cbUloha->currentIndex())
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TStartThread::run()
{
    ProstredieVlakna prostredie(m_okno);
    std::optional<QString> chyba;
    try {
        SpustiUlohy(prostredie);
    } catch (const std::exception& e) {
        chyba = QString::fromUtf8(e.what());
    } catch (...) {
        chyba = QStringLiteral("Neznáma chyba.");
    }
    prostredie.naOkne([&] { m_okno.KoniecBehu(m_povodnaUloha, chyba); });
}

}  // namespace kasamat
