// libFuzzer entry: every input is a candidate project file.
#include "tests/fuzz/ReaderProbe.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const QString &ProbePath() {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/fuzz_project_file_%1.wyd").arg(static_cast<qint64>(getpid()));
    return path;
}

void RemoveProbe() { QFile::remove(ProbePath()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const bool cleanup = std::atexit(RemoveProbe) == 0;
    (void)cleanup;
    const QString &path = ProbePath();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::string problem = wyndlor::probe::ProbeReaders(path, bytes);
    if (!problem.empty()) {
        std::fprintf(stderr, "broken promise: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
