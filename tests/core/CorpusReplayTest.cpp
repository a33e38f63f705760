// Replays the fuzzer's corpus and the shipped examples through every
// reader, so that a build without clang still checks what the fuzzer found.
#include "core/ProjectFile.h"
#include "tests/fuzz/ReaderProbe.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace wyndlor {
namespace {

TEST(CorpusReplay, EveryCorpusFileKeepsTheReadersPromises) {
    const QDir corpus(QStringLiteral(WYNDLOR_CORPUS_DIR));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 5) << "corpus missing";
    QTemporaryDir dir;
    const QString probe = dir.filePath(QStringLiteral("probe.wyd"));
    for (const QString &f : files) {
        const QByteArray bytes = testfiles::ReadBytes(corpus.filePath(f));
        EXPECT_EQ(probe::ProbeReaders(probe, bytes), "") << f.toStdString();
    }
}

TEST(CorpusReplay, ExamplesOpenAndSaveBackUnchanged) {
    const QDir examples(QStringLiteral(WYNDLOR_EXAMPLES_DIR));
    const QStringList files = examples.entryList({QStringLiteral("*.wyd")}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    QTemporaryDir dir;
    for (const QString &f : files) {
        ProjectData d;
        const OpenResult r = OpenProjectFile(examples.filePath(f), d);
        ASSERT_EQ(r.outcome, OpenOutcome::Ok) << f.toStdString();
        EXPECT_TRUE(d.HasConditions && d.HasHVC && d.HasCatchment && d.HasSection && d.HasDeltaT);
        const QString copy = dir.filePath(f);
        int32_t code = 0;
        ASSERT_TRUE(SaveProjectFile(copy, d, code));
        EXPECT_EQ(testfiles::ReadBytes(copy), testfiles::ReadBytes(examples.filePath(f))) << f.toStdString();
    }
}

}  // namespace
}  // namespace wyndlor
