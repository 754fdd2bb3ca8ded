// The in-process pieces of a conversion under Google Benchmark, per bank: the
// line split, the reading (the file test with its key and the
// transactions), and the statement writer over the transactions of the same
// export.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "banks/formaty.h"
#include "banks/riadky.h"
#include "bench/generator.h"

namespace {

using namespace kasamat;

constexpr std::size_t transakcii = 20'000;

struct Vzorka {
    std::string obsah;
    Riadky riadky;
    NastaveniaKonverzie nastavenia{"2628765432", 0, "$txt $vs"};
};

const Vzorka& vzorka(int format)
{
    static Vzorka vzorky[5];
    Vzorka& v = vzorky[format];
    if (v.obsah.empty()) {
        bench::ZadanieExportu zadanie;
        zadanie.format = format;
        zadanie.transakcii = transakcii;
        zadanie.odNajnovsieho = format == 0 || format == 2;
        std::ostringstream vystup;
        bench::generujExport(zadanie, vystup);
        v.obsah = std::move(vystup).str();
        v.riadky = rozdelNaRiadky(v.obsah);
    }
    return v;
}

class Zberac final : public PrijemcaTransakcii {
public:
    explicit Zberac(std::vector<Transakcia>* transakcie = nullptr) : m_transakcie(transakcie) {}
    bool prijmi(const Transakcia& t) override
    {
        if (m_transakcie) m_transakcie->push_back(t);
        benchmark::DoNotOptimize(t.suma);
        return true;
    }

private:
    std::vector<Transakcia>* m_transakcie;
};

void oznac(benchmark::State& stav, const Vzorka& v)
{
    stav.SetBytesProcessed(std::int64_t(stav.iterations() * v.obsah.size()));
    stav.SetItemsProcessed(std::int64_t(stav.iterations() * transakcii));
}

void riadky(benchmark::State& stav, int format)
{
    const Vzorka& v = vzorka(format);
    for (auto _ : stav) benchmark::DoNotOptimize(rozdelNaRiadky(v.obsah).size());
    oznac(stav, v);
}

void citanie(benchmark::State& stav, int format)
{
    const Vzorka& v = vzorka(format);
    const Banka& banka = *formatUlohy(format).konverzia;
    for (auto _ : stav) {
        KlucSuboru kluc;
        HlavickaSuboru hlavicka;
        Zberac zberac;
        if (!banka.citaj(v.riadky, v.nastavenia, kluc, hlavicka, zberac)) stav.SkipWithError("citaj");
    }
    oznac(stav, v);
}

void zapis(benchmark::State& stav, int format)
{
    const Vzorka& v = vzorka(format);
    const Banka& banka = *formatUlohy(format).konverzia;
    std::vector<Transakcia> transakcie;
    KlucSuboru kluc;
    HlavickaSuboru hlavicka;
    Zberac zberac(&transakcie);
    banka.citaj(v.riadky, v.nastavenia, kluc, hlavicka, zberac);
    StavVypisu vypis;
    std::size_t dlzka = 0;
    for (auto _ : stav) {
        vypis.vynuluj(0);
        for (const Transakcia& t : transakcie) {
            banka.format.pridajTransakciu(vypis, t, hlavicka);
            vypis.zapocitaj(t);
        }
        const FormatVypisu::Uzaver uzaver = banka.format.uzavri(vypis, hlavicka, 7);
        dlzka = uzaver.pred.size() + vypis.text.size() + uzaver.za.size();
        benchmark::DoNotOptimize(dlzka);
    }
    stav.SetBytesProcessed(std::int64_t(stav.iterations() * dlzka));
    stav.SetItemsProcessed(std::int64_t(stav.iterations() * transakcie.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    const char* mena[] = {"TatraTxt", "TrustPay", "TatraCsv", "Fio", "Camt053"};
    for (int format = 0; format < 5; ++format) {
        const std::string meno = mena[format];
        benchmark::RegisterBenchmark(("riadky/" + meno).c_str(), riadky, format)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("citanie/" + meno).c_str(), citanie, format)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("zapis/" + meno).c_str(), zapis, format)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
