// What every libFuzzer target shares: a scratch folder of its own and the
// abort that turns a broken promise into a finding.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace wyndlor::probe {

// Removed when the fuzzer exits.
inline const QTemporaryDir &ScratchDir() {
    static const QTemporaryDir dir;
    return dir;
}

inline QString ScratchFile(const char *name) { return ScratchDir().filePath(QString::fromLatin1(name)); }

inline QByteArray Input(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline void Check(const std::string &problem) {
    if (problem.empty()) return;
    std::fprintf(stderr, "broken promise: %s\n", problem.c_str());
    std::abort();
}

}  // namespace wyndlor::probe
