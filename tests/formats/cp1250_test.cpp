// The code page 1250 table is checked byte by byte against Qt's own codec, so
// a wrong entry cannot slip into a statement or a compared header text.

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include "formats/cp1250.h"

using namespace kasamat;

namespace {

std::string bajt(int hodnota) { return std::string(1, char(hodnota)); }

// The tests that compare with Qt's own codec need one: a Qt built without ICU,
// as the Windows build is, has none.
bool qtMaKodovanie() { return QStringDecoder("windows-1250").isValid(); }

QString qtDekoduj(const std::string& bajty)
{
    QStringDecoder dekoder("windows-1250");
    return dekoder.decode(QByteArray::fromStdString(bajty));
}

}  // namespace

TEST(Cp1250, EveryAssignedByteDecodesAsQtDecodesIt)
{
    if (!qtMaKodovanie()) GTEST_SKIP() << "this Qt has no windows-1250 codec (built without ICU)";
    for (int b = 0; b < 256; ++b) {
        const QString odQt = qtDekoduj(bajt(b));
        if (odQt == QString(QChar::ReplacementCharacter)) continue;  // unassigned in the code page
        EXPECT_EQ(utf8ZCp1250(bajt(b)), odQt.toStdString()) << "byte " << b;
        EXPECT_EQ(cp1250ZUtf8(odQt.toStdString()), bajt(b)) << "byte " << b;
    }
}

TEST(Cp1250, UpperCaseMatchesUnicodeForEveryLetter)
{
    if (!qtMaKodovanie()) GTEST_SKIP() << "this Qt has no windows-1250 codec (built without ICU)";
    for (int b = 0; b < 256; ++b) {
        const QString znak = qtDekoduj(bajt(b));
        const QString velky = znak.toUpper();
        QStringEncoder koder("windows-1250");
        const QByteArray spat = koder.encode(velky);
        // Letters whose upper case the code page lacks or that grow (ß) stay as they are.
        const std::string ocakavany = (velky.size() == 1 && !koder.hasError()) ? spat.toStdString() : bajt(b);
        EXPECT_EQ(velkymiPismenami(bajt(b)), ocakavany) << "byte " << b;
    }
}

TEST(Cp1250, SlovakNamesAndUnknownCharacters)
{
    EXPECT_EQ(utf8ZCp1250(velkymiPismenami(cp1250ZUtf8("Účtovná jednotka, ľúbezný kôň"))),
              "ÚČTOVNÁ JEDNOTKA, ĽÚBEZNÝ KÔŇ");
    EXPECT_EQ(cp1250ZUtf8("€ 5 → 6"), "\x80 5 ? 6");
    EXPECT_EQ(cp1250ZUtf8("a\xC3"), "a?") << "a cut sequence is one unknown character";
}
