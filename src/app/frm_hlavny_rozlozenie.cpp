#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <mutex>
#include <vector>

#include "app/filter_cislic.h"
#include "app/frm_hlavny.h"
#include "app/up_down.h"
#include "banks/formaty.h"
#include "store/uloha.h"

namespace kasamat {

namespace {

// Drop-down lists and one-line boxes have the height that Tahoma 8 pt gives them.
constexpr int vyskaRiadku = 21;

QString u8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

template <typename W>
W* ovladanie(QWidget* rodic, const char* meno)
{
    auto* w = new W(rodic);
    w->setObjectName(QLatin1String(meno));
    return w;
}

QLabel* popis(QWidget* rodic, const char* meno, const QString& text, int x, int y)
{
    auto* w = ovladanie<QLabel>(rodic, meno);
    w->setText(text);
    w->adjustSize();
    w->move(x, y);
    return w;
}

QLineEdit* pole(QWidget* rodic, const char* meno, int x, int y, int sirka)
{
    auto* w = ovladanie<QLineEdit>(rodic, meno);
    w->setGeometry(x, y, sirka, vyskaRiadku);
    return w;
}

QPushButton* tlacidlo(QWidget* rodic, const char* meno, const QString& text, int x, int y, int sirka,
                      int vyska)
{
    auto* w = ovladanie<QPushButton>(rodic, meno);
    w->setText(text);
    w->setGeometry(x, y, sirka, vyska);
    return w;
}

template <typename Texty>
QComboBox* zoznam(QWidget* rodic, const char* meno, int x, int y, int sirka, const Texty& texty)
{
    auto* w = ovladanie<QComboBox>(rodic, meno);
    w->setGeometry(x, y, sirka, vyskaRiadku);
    for (const auto& text : texty) w->addItem(u8(text));
    return w;
}

// The controls of the parent on `w`'s row, to its right or to its left.
template <typename Podmienka>
std::vector<const QWidget*> vRiadku(const QWidget* w, Podmienka podmienka)
{
    std::vector<const QWidget*> ine;
    for (const QObject* o : w->parentWidget()->children()) {
        const auto* iny = qobject_cast<const QWidget*>(o);
        if (iny && iny != w && iny->y() < w->geometry().bottom() && w->y() < iny->geometry().bottom()
            && !qobject_cast<const QLabel*>(iny) && podmienka(iny))
            ine.push_back(iny);
    }
    return ine;
}

constexpr int medzera = 2;

// Widens a control to the width its text needs in the font in use, never
// past the control to its right or its parent's edge.
void rozsir(QWidget* w, int potrebna)
{
    int hranica = w->parentWidget()->width() - medzera;
    for (const QWidget* sused : vRiadku(w, [&](const QWidget* iny) { return iny->x() > w->x(); }))
        hranica = std::min(hranica, sused->x() - medzera);
    if (potrebna > w->width()) w->resize(std::min(potrebna, hranica - w->x()), w->height());
}

// A list: its longest text with the style's arrow and frame.
void zmestiTexty(QComboBox* zoznam)
{
    QStyleOptionComboBox volby;
    volby.initFrom(zoznam);
    const QFontMetrics miery = zoznam->fontMetrics();
    int potrebna = 0;
    for (int i = 0; i < zoznam->count(); ++i) {
        const QSize text(miery.horizontalAdvance(zoznam->itemText(i)), miery.height());
        potrebna = std::max(
            potrebna, zoznam->style()->sizeFromContents(QStyle::CT_ComboBox, &volby, text, zoznam).width());
    }
    rozsir(zoznam, potrebna);
}

// A button: its text with the style's margins and frame.
void zmestiTexty(QPushButton* tlacidlo)
{
    const QStyle* styl = tlacidlo->style();
    rozsir(tlacidlo,
           tlacidlo->fontMetrics().horizontalAdvance(tlacidlo->text())
               + 2
                   * (styl->pixelMetric(QStyle::PM_ButtonMargin, nullptr, tlacidlo)
                      + styl->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tlacidlo)));
}

// Moves a label whose text would reach the control to its right in the font
// in use to the left, as little as leaves a gap, never over the control to
// its left.
void odsunOdSuseda(QLabel* popis)
{
    const int koniec = popis->x() + popis->fontMetrics().horizontalAdvance(popis->text());
    int presah = 0;
    for (const QWidget* sused : vRiadku(popis, [&](const QWidget* w) { return w->x() > popis->x(); }))
        presah = std::max(presah, koniec + medzera - sused->x());
    int zaciatok = 0;
    for (const QWidget* sused : vRiadku(popis, [&](const QWidget* w) { return w->x() < popis->x(); }))
        zaciatok = std::max(zaciatok, sused->geometry().right() + 1 + medzera);
    if (presah > 0) popis->move(std::max(zaciatok, popis->x() - presah), popis->y());
}

// Tahoma 8 pt, the font the layout is made for. A system without Tahoma
// (Linux) gets the metric-compatible Tahoma of Wine's fonts for this program
// (Debian's fonts-wine); without that, the narrowest near match.
QFont pismoOkna()
{
    static std::once_flag nacitanie;
    std::call_once(nacitanie, [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
        for (const char* subor : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
            QFontDatabase::addApplicationFont(QString::fromLatin1(subor));
    });
    QFont pismo;
    pismo.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                       QStringLiteral("DejaVu Sans Condensed")});
    pismo.setPointSize(8);
    return pismo;
}

QWidget* stranka(QTabWidget* karty, const char* meno, const QString& text)
{
    auto* strana = new QWidget;
    strana->setObjectName(QLatin1String(meno));
    karty->addTab(strana, text);
    return strana;
}

}  // namespace

void TfrmHlavny::vytvorRozlozenie()
{
    setWindowTitle(QStringLiteral("Kasamat"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(pismoOkna());
    setFixedSize(479, 365);

    PageControl = ovladanie<QTabWidget>(this, "PageControl");
    PageControl->setGeometry(0, 0, 479, 346);

    StatusBar = ovladanie<QStatusBar>(this, "StatusBar");
    StatusBar->setGeometry(0, 346, 479, 19);
    StatusBar->setSizeGripEnabled(false);
    lblStavPevny = ovladanie<QLabel>(nullptr, "lblStavPevny");
    lblStavPevny->setText(QStringLiteral("Konverzia výpisov"));
    lblStavPevny->setFixedWidth(145);
    lblStavBehu = ovladanie<QLabel>(nullptr, "lblStavBehu");
    lblStavBehu->setFixedWidth(300);
    lblStavBehu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusBar->addWidget(lblStavPevny);
    StatusBar->addWidget(lblStavBehu);

    tsSpustenie = stranka(PageControl, "tsSpustenie", QStringLiteral("Spustenie"));
    mmStart = ovladanie<QPlainTextEdit>(tsSpustenie, "mmStart");
    mmStart->setGeometry(3, 3, 465, 262);
    mmStart->setReadOnly(true);
    mmStart->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmStart->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmStart->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    btnStart = tlacidlo(tsSpustenie, "btnStart", QStringLiteral("Štart"), 198, 280, 75, 25);

    tsNastavenie = stranka(PageControl, "tsNastavenie", QStringLiteral("Nastavenie"));
    vytvorNastavenie();

    // The About tab's controls are built on this page at start-up, once its paths are known.
    tsOaplikacii = stranka(PageControl, "tsOaplikacii", QStringLiteral("O aplikácii"));

    if (const QScreen* obrazovka = screen()) move(obrazovka->availableGeometry().center() - rect().center());
}

void TfrmHlavny::vytvorNastavenie()
{
    QWidget* s = tsNastavenie;
    lblUlohy = popis(s, "lblUlohy", QStringLiteral("Úlohy:"), 14, 77);
    cbUloha = ovladanie<QComboBox>(s, "cbUloha");
    cbUloha->setGeometry(74, 74, 276, vyskaRiadku);
    btnZrusit = tlacidlo(s, "btnZrusit", QStringLiteral("Zrušiť"), 356, 72, 45, 25);
    btnPridat = tlacidlo(s, "btnPridat", QStringLiteral("Pridať"), 407, 72, 45, 25);

    gbUloha = ovladanie<QGroupBox>(s, "gbUloha");
    gbUloha->setGeometry(3, 104, 465, 205);
    QWidget* g = gbUloha;

    lblNazov = popis(g, "lblNazov", QStringLiteral("Názov:"), 15, 13);
    edtNazov = pole(g, "edtNazov", 71, 10, 378);

    lblPriecinokVstup = popis(g, "lblPriecinokVstup", QStringLiteral("Vstup:"), 15, 40);
    edtPriecinokVstup = pole(g, "edtPriecinokVstup", 71, 37, 276);
    btnPriecinokVstup = tlacidlo(g, "btnPriecinokVstup", QStringLiteral("Vybrať priečinok"), 353, 35, 96, 25);

    lblPriecinokVystup = popis(g, "lblPriecinokVystup", QStringLiteral("Výstup:"), 15, 67);
    edtPriecinokVystup = pole(g, "edtPriecinokVystup", 71, 64, 276);
    btnPriecinokVystup =
        tlacidlo(g, "btnPriecinokVystup", QStringLiteral("Vybrať priečinok"), 353, 62, 96, 25);

    lblFormat = popis(g, "lblFormat", QStringLiteral("Formát:"), 15, 96);
    std::vector<std::string_view> textyFormatov;
    for (const FormatUlohy& format : formatyUloh()) textyFormatov.push_back(format.text);
    cbFormat = zoznam(g, "cbFormat", 71, 93, 378, textyFormatov);

    lblCisloUctu = popis(g, "lblCisloUctu", QStringLiteral("Číslo účtu:"), 15, 123);
    edtCisloUctu = pole(g, "edtCisloUctu", 71, 120, 67);
    lblLomitko = popis(g, "lblLomitko", QStringLiteral("/"), 139, 123);
    lblKodBanky = popis(g, "lblKodBanky", u8(formatUlohy(0).kodBanky), 144, 123);

    lblCisloVypisu = popis(g, "lblCisloVypisu", QStringLiteral("Číslo výpisu:"), 183, 123);
    edtCisloVypisu = pole(g, "edtCisloVypisu", 249, 120, 26);
    edtCisloVypisu->setText(QStringLiteral("1"));
    udCisloVypisu = new UpDown(edtCisloVypisu, najnizsieCisloVypisu, najvyssieCisloVypisu, g);
    udCisloVypisu->setObjectName(QStringLiteral("udCisloVypisu"));
    udCisloVypisu->setGeometry(275, 120, 17, 21);

    lblPeriodicita = popis(g, "lblPeriodicita", QStringLiteral("Periodicita:"), 302, 123);
    cbPeriodicita = zoznam(g, "cbPeriodicita", 361, 120, 88, periodicityUloh);

    lblTextPlatby = popis(g, "lblTextPlatby", QStringLiteral("Text:      ?"), 15, 150);
    lblTextPlatby->setCursor(Qt::PointingHandCursor);
    lblTextPlatby->setToolTip(QStringLiteral("Použiteľné premenné"));
    edtTextPlatby = pole(g, "edtTextPlatby", 71, 147, 378);

    lblVariabilnySymbol =
        popis(g, "lblVariabilnySymbol", QStringLiteral("Ako variabilný symbol použiť:"), 15, 177);
    cbVariabilnySymbol = zoznam(g, "cbVariabilnySymbol", 183, 175, 109, variabilneSymbolyUloh);
    // The design's widths suit Tahoma as Windows draws it; other renderings
    // of it run a few pixels wider.
    for (QComboBox* cb : {cbFormat, cbPeriodicita, cbVariabilnySymbol}) zmestiTexty(cb);
    for (QPushButton* tlacidlo : {btnZrusit, btnPridat, btnPriecinokVstup, btnPriecinokVystup})
        zmestiTexty(tlacidlo);
    for (QWidget* rodic : {s, g})
        for (QLabel* w : rodic->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) odsunOdSuseda(w);

    new FilterCislic(edtCisloUctu, 10);
    new FilterCislic(edtCisloVypisu, 3, udCisloVypisu);
}

}  // namespace kasamat
