// Replays the seed corpus of every fuzz target through its probe, so that
// the normal build checks every input the fuzzers kept.
#include "tests/fuzz/Probes.h"
#include "tests/support/SampleProjects.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

namespace wyndlor {
namespace {

QByteArray Bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Corpus {
    const char *name;
    std::function<std::string(const QTemporaryDir &, const QByteArray &)> probe;
};
void PrintTo(const Corpus &c, std::ostream *os) { *os << c.name; }

class FuzzCorpusReplay : public ::testing::TestWithParam<Corpus> {};

TEST_P(FuzzCorpusReplay, EverySeedKeepsThePromises) {
    const QDir corpus(QStringLiteral(WYNDLOR_FUZZ_DIR "/") + QLatin1String(GetParam().name));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 3) << "corpus missing: " << corpus.path().toStdString();
    QTemporaryDir dir;
    for (const QString &f : files)
        EXPECT_EQ(GetParam().probe(dir, Bytes(corpus.filePath(f))), "") << f.toStdString();
}

const CalcRun &TestPondRun() {
    static const CalcRun run = MakeCalcRun(test::TestPond(), CalcRunOptions{true, false});
    return run;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FuzzCorpusReplay,
    ::testing::Values(
        Corpus{"corpus_settings",
               [](const QTemporaryDir &d, const QByteArray &b) {
                   return probe::ProbeSettingsFile(d.filePath(QStringLiteral("Wyndlor.INI")), b);
               }},
        Corpus{"corpus_format",
               [](const QTemporaryDir &d, const QByteArray &b) {
                   return probe::ProbeFormatFile(d.filePath(QStringLiteral("Wyndlor.FMT")),
                                                 d.filePath(QStringLiteral("Wyndlor.INI")),
                                                 d.filePath(QStringLiteral("report.prn")), TestPondRun(), b);
               }},
        Corpus{"corpus_print", [](const QTemporaryDir &, const QByteArray &b) { return probe::ProbePrintFile(b); }},
        Corpus{"corpus_calc",
               [](const QTemporaryDir &d, const QByteArray &b) {
                   return probe::ProbeCalculation(d.filePath(QStringLiteral("probe.wyd")), b);
               }}),
    [](const ::testing::TestParamInfo<Corpus> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyndlor
