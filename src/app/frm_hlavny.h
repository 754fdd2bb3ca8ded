#pragma once
// TfrmHlavny, the main window: the Run tab with the run log and "Štart", the
// Settings tab with the task list and the task editor, and the About tab.
// Every edit on the Settings tab is stored at once through SQL; the window
// owns the settings database connection from start-up to its destruction and,
// during a run, carries out every request of the worker on its own thread.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "run/beh.h"
#include "store/aktualizacia.h"
#include "store/databaza.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace kasamat {

class Shell;
class UpDown;

class TfrmHlavny : public QWidget, public ProstredieBehu {
    Q_OBJECT
public:
    // The paths of the companion files and of user.dat; the running program's
    // own by default (tests give folders of their own).
    explicit TfrmHlavny(const CestyAplikacie& cesty = CestyAplikacie::programu(), Shell* shell = nullptr);
    ~TfrmHlavny() override;

    // Where the folder picker opens: the user's desktop folder, or the home
    // folder where there is no desktop folder.
    static QString zaciatokVyberuPriecinka();

    const CestyAplikacie& cesty() const { return m_cesty; }
    // True from the press of "Štart" until the worker has handed the window back.
    bool beziBeh() const { return m_beziBeh; }

    // The folder picker: answers the chosen folder's path, or nothing on Cancel.
    // Replaceable so that tests can answer it.
    std::function<std::optional<QString>(QWidget* vlastnik, const QString& vyzva)> vyberPriecinka;

    QTabWidget* PageControl = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* lblStavPevny = nullptr;
    QLabel* lblStavBehu = nullptr;

    QWidget* tsSpustenie = nullptr;
    QPlainTextEdit* mmStart = nullptr;
    QPushButton* btnStart = nullptr;

    QWidget* tsNastavenie = nullptr;
    QLabel* lblUlohy = nullptr;
    QComboBox* cbUloha = nullptr;
    QPushButton* btnZrusit = nullptr;
    QPushButton* btnPridat = nullptr;
    QGroupBox* gbUloha = nullptr;
    QLabel* lblNazov = nullptr;
    QLineEdit* edtNazov = nullptr;
    QLabel* lblPriecinokVstup = nullptr;
    QLineEdit* edtPriecinokVstup = nullptr;
    QPushButton* btnPriecinokVstup = nullptr;
    QLabel* lblPriecinokVystup = nullptr;
    QLineEdit* edtPriecinokVystup = nullptr;
    QPushButton* btnPriecinokVystup = nullptr;
    QLabel* lblFormat = nullptr;
    QComboBox* cbFormat = nullptr;
    QLabel* lblCisloUctu = nullptr;
    QLineEdit* edtCisloUctu = nullptr;
    QLabel* lblLomitko = nullptr;
    QLabel* lblKodBanky = nullptr;
    QLabel* lblCisloVypisu = nullptr;
    QLineEdit* edtCisloVypisu = nullptr;
    UpDown* udCisloVypisu = nullptr;
    QLabel* lblPeriodicita = nullptr;
    QComboBox* cbPeriodicita = nullptr;
    QLabel* lblTextPlatby = nullptr;
    QLineEdit* edtTextPlatby = nullptr;
    QLabel* lblVariabilnySymbol = nullptr;
    QComboBox* cbVariabilnySymbol = nullptr;

    QWidget* tsOaplikacii = nullptr;

    // Loads the task selected in the task list into the editor. A failed
    // SELECT is an error that escapes to the caller.
    void NacitatUlohu();

    void cbUlohaChange(int index);
    void edtNazovChange();
    void edtPriecinokVstupExit();
    void btnPriecinokVstupClick();
    void edtPriecinokVystupExit();
    void btnPriecinokVystupClick();
    void cbFormatChange(int index);
    void edtCisloUctuChange();
    void edtCisloVypisuChange();
    void cbPeriodicitaChange(int index);
    void cbVariabilnySymbolChange(int index);
    void edtTextPlatbyExit();
    void lblTextPlatbyClick();
    void btnPridatClick();
    void btnZrusitClick();

    void tsSpustenieShow();
    void btnStartClick();

    // ProstredieBehu, on the window's thread: the validation summary calls it
    // directly, the worker through TStartThread.
    void riadok(const std::string& text) override;
    bool noveCisloVypisu(int idUlohy, int cislo) override;
    int pocetUloh() override;
    int vybrataUloha() override;
    Uloha vyberUlohu(int index) override;
    int cisloVypisu() override;
    // The two halves of noveCisloVypisu. During a run the worker has the
    // window show the number and stores it itself: the window's thread then
    // never waits on the disk, and the window uses the database only outside
    // a run, so the two never use the connection at once.
    void ukazCisloVypisu(int cislo);
    bool ulozCisloVypisu(int idUlohy, int cislo);

    // Worker body steps 7 to 9, the window handed back after a run. An error
    // that escaped the run is shown once the window is unlocked.
    void KoniecBehu(int povodnaUloha, const std::optional<QString>& chyba);

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override;

private:
    void vytvorRozlozenie();
    void vytvorNastavenie();
    void prepojObsluhy();
    void FormCreate();
    void FormDestroy();

    int SQL(const std::string& prikaz);
    // "' WHERE ID=" + the selected task + ";", the ending of every change of the current task.
    std::string koniecPrikazu() const;
    void ulozStlpec(const char* stlpec, const QString& hodnota);
    void naplnZoznamUloh(int pocet);
    void obnovZoznamUloh();
    // NacitatUlohu for the task list's and the buttons' handlers.
    void nacitatUlohuVHandleri();
    void nastavOvladaniaFormatu(int format);
    void vyberPriecinokDo(QLineEdit* box, const QString& vyzva, void (TfrmHlavny::*ulozenie)());
    // Stores a box that keeps its text until the focus leaves it, when it still has the focus.
    void ulozRozpisanyBox();
    Uloha ulohaVEditore() const;

    Shell* m_shell;
    CestyAplikacie m_cesty;
    Databaza m_databaza;
    // The row that NacitatUlohu read last: a stored value that no list entry shows.
    Uloha m_nacitana;
    bool m_nacitava = false;
    bool m_beziBeh = false;
    // Set while the validation summary collects its lines.
    QStringList* m_zberRiadkov = nullptr;
};

// The one main window, created by the program entry.
extern TfrmHlavny* frmHlavny;

}  // namespace kasamat
