#pragma once
// The About tab ("O aplikácii"): the program's name and purpose, its version,
// and four links: the release notes, the accounting system's and the maker's
// web pages, and the remote-support tool.

#include <QObject>
#include <QString>
#include <string>

class QEvent;
class QLabel;
class QWidget;

namespace kasamat {

class Shell;

class OAplikacii : public QObject {
    Q_OBJECT
public:
    // Builds every control of the tab on the given page (the main window's
    // tsOaplikacii). The links open through the shell; cestaVzdialenejPomoci
    // is the program folder + "TeamViewerQS_sk.exe" (UTF-8). The shell must
    // outlive this object.
    OAplikacii(QWidget* stranka, Shell& shell, const std::string& cestaVzdialenejPomoci);

    // The version label: initial text "Nezistená"; the main window sets it to
    // VerziaProgramu() at start-up. A click shows frmInfo modally.
    QLabel* lblVerziaCislo = nullptr;

    QLabel* imgIkona = nullptr;
    QLabel* lblNadpis = nullptr;
    QLabel* lblText1 = nullptr;
    QLabel* lblText2 = nullptr;
    QLabel* lblEkonomickySystem = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblVyrobca = nullptr;
    QLabel* lblWebVyrobcu = nullptr;
    QLabel* lblVerzia = nullptr;
    QLabel* lblVzdialenaPomoc = nullptr;

    void lblVerziaCisloClick();
    void lblEkonomickySystemClick();
    // The maker's logo, name and address share this handler.
    void lblVyrobcaClick();
    void lblVzdialenaPomocClick();

protected:
    // Labels have no click of their own: a left-button release over a link is one.
    bool eventFilter(QObject* objekt, QEvent* udalost) override;

private:
    Shell& m_shell;
    QString m_cestaVzdialenejPomoci;
};

// The names and addresses the tab shows and opens, kept in this one place.
namespace odkazy {
inline constexpr const char* ekonomickySystem = "Sumaro";
inline constexpr const char* webEkonomickehoSystemu = "https://www.sumaro.example/";
inline constexpr const char* vyrobca = "Vzorsoft s.r.o.";
inline constexpr const char* webVyrobcu = "https://www.vzorsoft.example/";
inline constexpr const char* adresaVyrobcu = "www.vzorsoft.example";
}  // namespace odkazy

}  // namespace kasamat
