#include "platform/poradie_klucov.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <numeric>

namespace kasamat {

std::vector<std::size_t> poradieKlucov(const std::vector<std::string>& kluce)
{
    QCollator kolator{QLocale()};
    kolator.setCaseSensitivity(Qt::CaseInsensitive);
    // Keys hold UTF-8 file names; the date and separator are ASCII.
    std::vector<QString> texty;
    texty.reserve(kluce.size());
    for (const std::string& kluc : kluce)
        texty.push_back(QString::fromUtf8(kluc.data(), qsizetype(kluc.size())));

    std::vector<std::size_t> poradie(kluce.size());
    std::iota(poradie.begin(), poradie.end(), std::size_t{0});
    std::sort(poradie.begin(), poradie.end(), [&](std::size_t a, std::size_t b) {
        const int vysledok = kolator.compare(texty[a], texty[b]);
        return vysledok != 0 ? vysledok < 0 : kluce[a] < kluce[b];
    });
    return poradie;
}

}  // namespace kasamat
