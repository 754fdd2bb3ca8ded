#include "app/frm_hlavny.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTabWidget>
#include <stdexcept>

#include "app/aplikacia.h"
#include "app/o_aplikacii.h"
#include "app/shell.h"
#include "app/start_thread.h"
#include "app/up_down.h"
#include "banks/formaty.h"
#include "store/citanie_uloh.h"
#include "store/verzia.h"

namespace kasamat {

TfrmHlavny* frmHlavny = nullptr;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// The index of a stored value in a list, or no selection when no entry shows it.
int indexVZozname(const QComboBox* zoznam, int hodnota)
{
    return hodnota >= 0 && hodnota < zoznam->count() ? hodnota : -1;
}

std::optional<QString> dialogPriecinka(QWidget* vlastnik, const QString& vyzva)
{
    const QString priecinok =
        QFileDialog::getExistingDirectory(vlastnik, vyzva, TfrmHlavny::zaciatokVyberuPriecinka());
    if (priecinok.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(priecinok);
}

}  // namespace

TfrmHlavny::TfrmHlavny(const CestyAplikacie& cesty, Shell* shell)
    : vyberPriecinka(dialogPriecinka), m_shell(shell ? shell : &systemovyShell()), m_cesty(cesty)
{
    vytvorRozlozenie();
    prepojObsluhy();
    FormCreate();
}

TfrmHlavny::~TfrmHlavny()
{
    // The worker still asks the window for its steps: let the run end before
    // the database is closed under it.
    while (m_beziBeh) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    FormDestroy();
    if (frmHlavny == this) frmHlavny = nullptr;
}

QString TfrmHlavny::zaciatokVyberuPriecinka()
{
    // A desktop folder that does not exist would stand typed in the picker's name box.
    const QString plocha = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QDir(plocha).exists() ? plocha : QDir::homePath();
}

void TfrmHlavny::FormCreate()
{
    // The About tab's controls belong to its page.
    const auto* oAplikacii = new OAplikacii(tsOaplikacii, *m_shell, m_cesty.vzdialenaPomoc);
    oAplikacii->lblVerziaCislo->setText(q(VerziaProgramu()));

    if (!KontrolaSuborovAplikacie(m_databaza, m_cesty)) {
        // Nothing may be written into the template, and user.dat stays untouched.
        m_databaza.zatvor();
        QMessageBox::critical(this, QStringLiteral("Chyba"), QString::fromUtf8(chybaSuborovAplikacie));
        PageControl->setTabEnabled(PageControl->indexOf(tsSpustenie), false);
        PageControl->setTabEnabled(PageControl->indexOf(tsNastavenie), false);
        PageControl->setCurrentWidget(tsOaplikacii);
        return;
    }
    PripravDatabazu(m_databaza, m_cesty);

    const int pocet = vyberNazvyUloh(m_databaza);
    if (pocet == 1) btnZrusit->setEnabled(false);
    naplnZoznamUloh(pocet);

    SQL("SELECT Uloha FROM Nastavenia;");
    const long long uloha = m_databaza.cislo(0, "Uloha");
    cbUloha->setCurrentIndex(uloha >= 0 && uloha < cbUloha->count() ? int(uloha) : -1);
    NacitatUlohu();

    if (PageControl->currentWidget() == tsSpustenie)
        tsSpustenieShow();
    else
        PageControl->setCurrentWidget(tsSpustenie);
}

void TfrmHlavny::FormDestroy() { m_databaza.zatvor(); }

void TfrmHlavny::prepojObsluhy()
{
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl->widget(index) != tsSpustenie) return;
        ulozRozpisanyBox();
        tsSpustenieShow();
    });
    connect(cbUloha, &QComboBox::activated, this, &TfrmHlavny::cbUlohaChange);
    connect(edtNazov, &QLineEdit::textChanged, this, &TfrmHlavny::edtNazovChange);
    connect(btnPriecinokVstup, &QPushButton::clicked, this, &TfrmHlavny::btnPriecinokVstupClick);
    connect(btnPriecinokVystup, &QPushButton::clicked, this, &TfrmHlavny::btnPriecinokVystupClick);
    connect(cbFormat, &QComboBox::activated, this, &TfrmHlavny::cbFormatChange);
    connect(edtCisloUctu, &QLineEdit::textChanged, this, &TfrmHlavny::edtCisloUctuChange);
    connect(edtCisloVypisu, &QLineEdit::textChanged, this, &TfrmHlavny::edtCisloVypisuChange);
    connect(cbPeriodicita, &QComboBox::activated, this, &TfrmHlavny::cbPeriodicitaChange);
    connect(cbVariabilnySymbol, &QComboBox::activated, this, &TfrmHlavny::cbVariabilnySymbolChange);
    connect(btnPridat, &QPushButton::clicked, this, &TfrmHlavny::btnPridatClick);
    connect(btnZrusit, &QPushButton::clicked, this, &TfrmHlavny::btnZrusitClick);
    connect(btnStart, &QPushButton::clicked, this, &TfrmHlavny::btnStartClick);
    for (QWidget* w : {static_cast<QWidget*>(edtPriecinokVstup), static_cast<QWidget*>(edtPriecinokVystup),
                       static_cast<QWidget*>(edtTextPlatby), static_cast<QWidget*>(lblTextPlatby)})
        w->installEventFilter(this);
    for (QComboBox* zoznam : {cbUloha, cbFormat, cbPeriodicita, cbVariabilnySymbol})
        zoznam->installEventFilter(this);
}

bool TfrmHlavny::eventFilter(QObject* objekt, QEvent* udalost)
{
    // The wheel turns only the list that has the focus: turning another one
    // would pick an entry while a folder or payment text typed elsewhere still
    // waits to be stored.
    if (udalost->type() == QEvent::Wheel && qobject_cast<QComboBox*>(objekt)
        && !static_cast<QWidget*>(objekt)->hasFocus())
        return true;
    if (udalost->type() == QEvent::FocusOut) {
        if (objekt == edtPriecinokVstup) edtPriecinokVstupExit();
        if (objekt == edtPriecinokVystup) edtPriecinokVystupExit();
        if (objekt == edtTextPlatby) edtTextPlatbyExit();
    }
    if (objekt == lblTextPlatby && udalost->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(udalost)->button() == Qt::LeftButton)
        lblTextPlatbyClick();
    return QWidget::eventFilter(objekt, udalost);
}

void TfrmHlavny::ulozRozpisanyBox()
{
    const QWidget* aktivny = QApplication::focusWidget();
    if (aktivny == edtPriecinokVstup) edtPriecinokVstupExit();
    if (aktivny == edtPriecinokVystup) edtPriecinokVystupExit();
    if (aktivny == edtTextPlatby) edtTextPlatbyExit();
}

void TfrmHlavny::closeEvent(QCloseEvent* udalost)
{
    // The run cannot be stopped, and the database must stay open under the worker.
    if (m_beziBeh)
        udalost->ignore();
    else
        QWidget::closeEvent(udalost);
}

int TfrmHlavny::SQL(const std::string& prikaz) { return m_databaza.SQL(prikaz); }

void TfrmHlavny::naplnZoznamUloh(int pocet)
{
    cbUloha->clear();
    for (int i = 0; i < pocet; ++i) cbUloha->addItem(q(polozkaZoznamu(i, m_databaza.text(i, "Nazov"))));
}

void TfrmHlavny::NacitatUlohu()
{
    const auto uloha = citajUlohu(m_databaza, cbUloha->currentIndex());
    if (!uloha) throw std::runtime_error("Úlohu nemožno načítať z databázy nastavení.");
    m_nacitana = *uloha;
    const int cislo = ohranicCisloVypisu(uloha->cisloVypisu);
    {
        // Showing the row is no edit: the change handlers store nothing meanwhile.
        const QScopedValueRollback nacitava(m_nacitava, true);
        edtNazov->setText(q(uloha->nazov));
        edtPriecinokVstup->setText(q(uloha->priecinokVstup));
        edtPriecinokVystup->setText(q(uloha->priecinokVystup));
        edtCisloUctu->setText(q(uloha->cisloUctu));
        udCisloVypisu->nastavPoziciu(cislo);
        cbPeriodicita->setCurrentIndex(indexVZozname(cbPeriodicita, uloha->periodicita));
        cbVariabilnySymbol->setCurrentIndex(indexVZozname(cbVariabilnySymbol, uloha->variabilnySymbol));
        edtTextPlatby->setText(q(uloha->textPlatby));
        cbFormat->setCurrentIndex(indexVZozname(cbFormat, uloha->format));
    }
    nastavOvladaniaFormatu(cbFormat->currentIndex());
    // A stored number beyond the spinner's range is stored again as the bound it shows.
    if (cislo != uloha->cisloVypisu) edtCisloVypisuChange();
}

void TfrmHlavny::nastavOvladaniaFormatu(int format)
{
    const FormatUlohy& riadok = formatUlohy(format);
    lblKodBanky->setText(QString::fromUtf8(riadok.kodBanky.data(), qsizetype(riadok.kodBanky.size())));
    lblKodBanky->adjustSize();
    for (QWidget* w : {static_cast<QWidget*>(lblCisloUctu), static_cast<QWidget*>(edtCisloUctu),
                       static_cast<QWidget*>(lblLomitko), static_cast<QWidget*>(lblKodBanky)})
        w->setEnabled(riadok.cisloUctu);
    cbVariabilnySymbol->setEnabled(riadok.platba);
    edtTextPlatby->setEnabled(riadok.platba);
}

void TfrmHlavny::tsSpustenieShow()
{
    if (!PageControl->isTabEnabled(PageControl->indexOf(tsSpustenie))) return;
    mmStart->clear();
    // The summary goes into the run log in one piece, also when loading a
    // task fails: a log grown line by line lays out and scrolls to every line,
    // which for two hundred tasks kept the window busy for a tenth of a second.
    QStringList riadky;
    const auto vypis = qScopeGuard([&] {
        m_zberRiadkov = nullptr;
        if (!riadky.isEmpty()) mmStart->appendPlainText(riadky.join(QLatin1Char('\n')));
    });
    m_zberRiadkov = &riadky;
    btnStart->setEnabled(KontrolaNastaveni(*this));
}

void TfrmHlavny::riadok(const std::string& text)
{
    if (m_zberRiadkov)
        m_zberRiadkov->append(q(text));
    else
        mmStart->appendPlainText(q(text));
}

bool TfrmHlavny::noveCisloVypisu(int idUlohy, int cislo)
{
    ukazCisloVypisu(cislo);
    return ulozCisloVypisu(idUlohy, cislo);
}

void TfrmHlavny::ukazCisloVypisu(int cislo)
{
    // Showing the new number is no edit: it is stored once, by ulozCisloVypisu.
    const QScopedValueRollback nacitava(m_nacitava, true);
    udCisloVypisu->nastavPoziciu(cislo);
}

bool TfrmHlavny::ulozCisloVypisu(int idUlohy, int cislo)
{
    SQL(prikazCisloVypisu(idUlohy, cislo));
    return !m_databaza.zlyhal();
}

int TfrmHlavny::pocetUloh() { return cbUloha->count(); }

int TfrmHlavny::vybrataUloha() { return cbUloha->currentIndex(); }

Uloha TfrmHlavny::vyberUlohu(int index)
{
    cbUloha->setCurrentIndex(index);
    NacitatUlohu();
    return ulohaVEditore();
}

int TfrmHlavny::cisloVypisu() { return udCisloVypisu->pozicia(); }

Uloha TfrmHlavny::ulohaVEditore() const
{
    // A list without a selection holds a stored value that no entry shows: that value counts.
    Uloha uloha = m_nacitana;
    uloha.id = cbUloha->currentIndex();
    uloha.nazov = edtNazov->text().toStdString();
    uloha.priecinokVstup = edtPriecinokVstup->text().toStdString();
    uloha.priecinokVystup = edtPriecinokVystup->text().toStdString();
    uloha.cisloUctu = edtCisloUctu->text().toStdString();
    uloha.textPlatby = edtTextPlatby->text().toStdString();
    uloha.cisloVypisu = udCisloVypisu->pozicia();
    if (cbFormat->currentIndex() >= 0) uloha.format = cbFormat->currentIndex();
    if (cbPeriodicita->currentIndex() >= 0) uloha.periodicita = cbPeriodicita->currentIndex();
    if (cbVariabilnySymbol->currentIndex() >= 0) uloha.variabilnySymbol = cbVariabilnySymbol->currentIndex();
    return uloha;
}

void TfrmHlavny::btnStartClick()
{
    if (m_beziBeh) return;
    m_beziBeh = true;
    lblStavBehu->setText(QStringLiteral("Čakajte na dokončenie operácie... "));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    btnStart->setEnabled(false);
    PageControl->setEnabled(false);
    (new TStartThread(*this))->start();
}

void TfrmHlavny::KoniecBehu(int povodnaUloha, const std::optional<QString>& chyba)
{
    if (chyba) {
        // The run broke off before it selected the remembered task again. A
        // failure to load it is the same fault as the one shown below.
        try {
            cbUloha->setCurrentIndex(povodnaUloha);
            NacitatUlohu();
        } catch (const std::exception&) {
        }
    }
    lblStavBehu->clear();
    PageControl->setEnabled(true);
    btnStart->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    m_beziBeh = false;
    // Shown after the worker has been released, so that it ends while the box is open.
    if (chyba)
        QMetaObject::invokeMethod(
            this, [text = *chyba] { ukazChybu(text); }, Qt::QueuedConnection);
}

}  // namespace kasamat
