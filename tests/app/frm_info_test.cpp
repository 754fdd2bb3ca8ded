#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/frm_info.h"

using namespace kasamat;

namespace {

void zapis(const QString& cesta, const QByteArray& bajty)
{
    QFile subor(cesta);
    QVERIFY(subor.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(subor.write(bajty), bajty.size());
}

}  // namespace

class FrmInfoTest : public QObject {
    Q_OBJECT

private slots:
    void readsFileAsCp1250Lines_data()
    {
        QTest::addColumn<QByteArray>("subor");
        QTest::addColumn<QString>("memo");
        QTest::newRow("CR LF, diacritics of code page 1250")
            << QByteArray("Verzia 2.4.1.0\r\n\x8a\x9d\x9e \xe8\xedta\xe8ka \xbe\xf4\r\n")
            << QStringLiteral("Verzia 2.4.1.0\nŠťž čítačka ľô");
        QTest::newRow("LF and CR line ends") << QByteArray("a\nb\rc") << QStringLiteral("a\nb\nc");
        QTest::newRow("blank lines kept") << QByteArray("a\r\n\r\nb\r\n") << QStringLiteral("a\n\nb");
        QTest::newRow("empty file") << QByteArray() << QString();
    }

    void readsFileAsCp1250Lines()
    {
        QFETCH(QByteArray, subor);
        QFETCH(QString, memo);
        QTemporaryDir priecinok;
        const QString cesta = priecinok.filePath(QStringLiteral("release.nfo"));
        zapis(cesta, subor);

        TfrmInfo okno(cesta.toStdString());
        QCOMPARE(okno.Memo->toPlainText(), memo);
    }

    void missingFileLeavesWindowEmpty()
    {
        QTemporaryDir priecinok;
        TfrmInfo okno(priecinok.filePath(QStringLiteral("release.nfo")).toStdString());
        QVERIFY(okno.Memo->toPlainText().isEmpty());
    }

    void laterFileChangeDoesNotShow()
    {
        QTemporaryDir priecinok;
        const QString cesta = priecinok.filePath(QStringLiteral("release.nfo"));
        zapis(cesta, "prv\xe1 verzia");
        TfrmInfo okno(cesta.toStdString());
        zapis(cesta, "druh\xe1 verzia");
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QCOMPARE(okno.Memo->toPlainText(), QStringLiteral("prvá verzia"));
    }

    void windowAndMemo()
    {
        QTemporaryDir priecinok;
        TfrmInfo okno(priecinok.filePath(QStringLiteral("release.nfo")).toStdString());
        QCOMPARE(okno.windowTitle(), QStringLiteral("Release Info"));
        QCOMPARE(okno.size(), QSize(434, 290));
        QVERIFY(okno.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(okno.windowFlags() & Qt::WindowSystemMenuHint);
        QVERIFY(okno.Memo->isReadOnly());
        QCOMPARE(okno.Memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        // The memo fills the window as it is resized.
        okno.show();
        okno.resize(600, 400);
        QTRY_COMPARE(okno.Memo->geometry(), okno.rect());
    }

    void globalWindowIsNulledOnDestruction()
    {
        QTemporaryDir priecinok;
        frmInfo = new TfrmInfo(priecinok.filePath(QStringLiteral("release.nfo")).toStdString());
        delete frmInfo;
        QVERIFY(frmInfo == nullptr);
    }
};

QTEST_MAIN(FrmInfoTest)
#include "frm_info_test.moc"
