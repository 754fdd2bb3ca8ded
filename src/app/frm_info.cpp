#include "app/frm_info.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "formats/cp1250.h"
#include "store/verzia.h"

namespace kasamat {

TfrmInfo* frmInfo = nullptr;

namespace {

// The file's lines, whatever their ends (CR LF, LF or CR); a line end at the
// very end of the file does not start another line.
QStringList riadky(const QString& text)
{
    QString jednotne = text;
    jednotne.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    jednotne.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList vysledok = jednotne.split(QLatin1Char('\n'));
    if (!vysledok.isEmpty() && vysledok.last().isEmpty()) vysledok.removeLast();
    return vysledok;
}

}  // namespace

TfrmInfo::TfrmInfo(const std::string& cestaReleaseInfo, QWidget* hlavneOkno)
    : QDialog(hlavneOkno,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                  | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Release Info"));
    resize(434, 290);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* rozlozenie = new QVBoxLayout(this);
    rozlozenie->setContentsMargins(0, 0, 0, 0);
    rozlozenie->addWidget(Memo);

    FormCreate(cestaReleaseInfo);
}

TfrmInfo::~TfrmInfo()
{
    if (frmInfo == this) frmInfo = nullptr;
}

void TfrmInfo::FormCreate(const std::string& cestaReleaseInfo)
{
    if (!KontrolaSuboru(cestaReleaseInfo)) return;
    QFile subor(QString::fromStdString(cestaReleaseInfo));
    if (!subor.open(QIODevice::ReadOnly)) return;
    const QByteArray bajty = subor.readAll();
    const std::string text = utf8ZCp1250(std::string_view(bajty.constData(), std::size_t(bajty.size())));
    Memo->setPlainText(riadky(QString::fromStdString(text)).join(QLatin1Char('\n')));
}

}  // namespace kasamat
