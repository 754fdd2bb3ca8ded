// The file keys' order by the user's collation.

#include <gtest/gtest.h>

#include <QLocale>

#include "platform/poradie_klucov.h"
#include "podpora/proces.h"

namespace kasamat::test {
namespace {

TEST(PoradieKlucov, SlovakCollationPutsChAfterHAndIgnoresLetterCase)
{
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    if (podWine())
        GTEST_SKIP() << "Wine's Slovak collation sorts \"ch\" before \"h\"; Windows and ICU after it";
    EXPECT_EQ(poradieKlucov({"20190302<i.csv", "20190302<ch.csv", "20190302<H.csv", "20190302<c.csv"}),
              (std::vector<std::size_t>{3, 2, 1, 0}));
}

}  // namespace
}  // namespace kasamat::test
