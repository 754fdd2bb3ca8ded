#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

#include "app/aplikacia.h"
#include "app/frm_hlavny.h"
#include "banks/formaty.h"
#include "store/citanie_uloh.h"

namespace kasamat {

namespace {

std::string cislo(int hodnota) { return std::to_string(hodnota); }

}  // namespace

std::string TfrmHlavny::koniecPrikazu() const { return "' WHERE ID=" + cislo(cbUloha->currentIndex()) + ";"; }

void TfrmHlavny::ulozStlpec(const char* stlpec, const QString& hodnota)
{
    SQL(std::string("UPDATE Ulohy SET ") + stlpec + "='" + sqlText(hodnota.toStdString()) + koniecPrikazu());
}

void TfrmHlavny::obnovZoznamUloh()
{
    const int vybrata = cbUloha->currentIndex();
    naplnZoznamUloh(vyberNazvyUloh(m_databaza));
    cbUloha->setCurrentIndex(vybrata);
}

void TfrmHlavny::cbUlohaChange(int index)
{
    SQL("UPDATE Nastavenia SET Uloha=" + cislo(index) + ";");
    nacitatUlohuVHandleri();
}

void TfrmHlavny::nacitatUlohuVHandleri()
{
    // The list's and the buttons' own key and mouse handling called the
    // handler: an error left to climb to the application's error box would
    // unwind through Qt's internals, which are built without cleanups and
    // would keep their state.
    try {
        NacitatUlohu();
    } catch (const std::exception& chyba) {
        ukazChybu(QString::fromUtf8(chyba.what()));
    }
}

void TfrmHlavny::edtNazovChange()
{
    if (m_nacitava) return;
    ulozStlpec("Nazov", edtNazov->text());
    obnovZoznamUloh();
}

void TfrmHlavny::edtPriecinokVstupExit() { ulozStlpec("PriecinokVstup", edtPriecinokVstup->text()); }

void TfrmHlavny::edtPriecinokVystupExit() { ulozStlpec("PriecinokVystup", edtPriecinokVystup->text()); }

void TfrmHlavny::vyberPriecinokDo(QLineEdit* box, const QString& vyzva, void (TfrmHlavny::*ulozenie)())
{
    const std::optional<QString> priecinok = vyberPriecinka(this, vyzva);
    if (!priecinok) return;
    box->setText(*priecinok);
    (this->*ulozenie)();
}

void TfrmHlavny::btnPriecinokVstupClick()
{
    vyberPriecinokDo(edtPriecinokVstup,
                     QStringLiteral("Vyberte priečinok so vstupnými súbormi pre konverziu výpisov:"),
                     &TfrmHlavny::edtPriecinokVstupExit);
}

void TfrmHlavny::btnPriecinokVystupClick()
{
    vyberPriecinokDo(edtPriecinokVystup,
                     QStringLiteral("Vyberte priečinok pre výstupné súbory z konverzie výpisov:"),
                     &TfrmHlavny::edtPriecinokVystupExit);
}

void TfrmHlavny::cbFormatChange(int index)
{
    SQL("UPDATE Ulohy SET Format='" + cislo(index) + koniecPrikazu());
    const FormatUlohy& format = formatUlohy(index);
    if (!format.platba) {
        // A Format without them leaves no variable-symbol option or payment
        // text behind, nor an account number where the export names its own.
        if (!format.cisloUctu) edtCisloUctu->clear();
        cbVariabilnySymbol->setCurrentIndex(0);
        ulozStlpec("VariabilnySymbol", QStringLiteral("0"));
        edtTextPlatby->clear();
        ulozStlpec("TextPlatby", QString());
    }
    nastavOvladaniaFormatu(index);
}

void TfrmHlavny::edtCisloUctuChange()
{
    if (m_nacitava) return;
    ulozStlpec("CisloUctu", edtCisloUctu->text());
}

void TfrmHlavny::edtCisloVypisuChange()
{
    if (m_nacitava) return;
    const QString text = edtCisloVypisu->text();
    if (text.isEmpty()) {
        edtCisloVypisu->setText(QStringLiteral("1"));
    } else {
        bool jeCislo = false;
        const long long hodnota = text.toLongLong(&jeCislo);
        // Only a pasted text can be no number; it is not stored. The error box
        // is shown from here: an error left to climb to the application's box
        // would unwind through the paste inside the box, built without cleanups.
        if (!jeCislo) {
            ukazChybu(QStringLiteral("'") + text + QStringLiteral("' nie je platné celé číslo."));
            return;
        }
        if (hodnota < najnizsieCisloVypisu)
            edtCisloVypisu->setText(QString::number(najnizsieCisloVypisu));
        else if (hodnota > najvyssieCisloVypisu)
            edtCisloVypisu->setText(QString::number(najvyssieCisloVypisu));
    }
    // Stored as it reads, typed leading zeros included: the column holds the number.
    ulozStlpec("CisloVypisu", edtCisloVypisu->text());
}

void TfrmHlavny::cbPeriodicitaChange(int index)
{
    SQL("UPDATE Ulohy SET Periodicita='" + cislo(index) + koniecPrikazu());
}

void TfrmHlavny::cbVariabilnySymbolChange(int index)
{
    SQL("UPDATE Ulohy SET VariabilnySymbol='" + cislo(index) + koniecPrikazu());
}

void TfrmHlavny::edtTextPlatbyExit() { ulozStlpec("TextPlatby", edtTextPlatby->text()); }

void TfrmHlavny::lblTextPlatbyClick()
{
    QMessageBox::information(
        this, QStringLiteral("Informácia"),
        QStringLiteral("Použiteľné premenné:\n\n$ss - špecifický symbol\n$vs - variabilný symbol\n"
                       "$ks - konštantný symbol\n$ref - referencia\n$txt - text platby\n"
                       "$npu - názov protiúčtu"));
}

void TfrmHlavny::btnPridatClick()
{
    const int n = cbUloha->count();
    SQL("INSERT INTO Ulohy (ID, Nazov, Format, CisloVypisu, Periodicita, VariabilnySymbol) VALUES ("
        + cislo(n) + ", 'úloha', 0, 1, 0, 0);");
    cbUloha->addItem(QString::fromStdString(polozkaZoznamu(n, "úloha")));
    cbUloha->setCurrentIndex(n);
    SQL("UPDATE Nastavenia SET Uloha=" + cislo(n) + ";");
    nacitatUlohuVHandleri();
    btnZrusit->setEnabled(true);
}

void TfrmHlavny::btnZrusitClick()
{
    int k = cbUloha->currentIndex();
    // With no task selected the renumbering below would shift every task
    // down by one and lose the first from the list.
    if (k < 0) return;
    SQL("DELETE FROM Ulohy WHERE ID=" + cislo(k) + ";");
    SQL("UPDATE Ulohy SET ID=ID-1 WHERE ID>" + cislo(k) + ";");
    const int n = vyberNazvyUloh(m_databaza);
    if (k == n) k = k - 1;
    naplnZoznamUloh(n);
    cbUloha->setCurrentIndex(k);
    SQL("UPDATE Nastavenia SET Uloha=" + cislo(k) + ";");
    nacitatUlohuVHandleri();
    if (n == 1) btnZrusit->setEnabled(false);
}

}  // namespace kasamat
