// Runs one file's bytes through the Open command's reading and through each
// of the three readers directly, and checks the promises every reader makes
// about a damaged file: a failure carries a non-zero code and leaves a reset
// data set; a success leaves counts inside the tables.  Shared by the
// libFuzzer target and the corpus replay test.
#pragma once

#include "core/ProjectFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace wyndlor::probe {

// "" when every promise held, else what broke.
inline std::string ProbeReaders(const QString &path, const QByteArray &bytes) {
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "cannot write the probe file";
        f.write(bytes);
    }
    const ProjectData reset;
    auto check = [&](bool ok, int32_t code, const ProjectData &d, const char *who) -> std::string {
        if (!ok && code == 0) return std::string(who) + ": failure with code 0";
        if (!ok && d != reset) return std::string(who) + ": failure left data behind";
        if (ok && code != -1) return std::string(who) + ": success changed the code";
        if (d.HVCCount < 0 || d.HVCCount > kTableRows || d.CatchmentCount < 0 || d.CatchmentCount > kTableRows)
            return std::string(who) + ": count outside the table";
        return std::string();
    };
    using Reader = bool (*)(const QString &, ProjectData &, int32_t &);
    const std::pair<Reader, const char *> readers[] = {{LoadProjectFile, "1.40 reader"},
                                                       {LoadProjectFile120, "1.20 reader"},
                                                       {LoadProjectFile100, "1.00 reader"}};
    for (const auto &[read, name] : readers) {
        ProjectData d;
        d.HasConditions = true;
        d.ConditionsData(1) = SlotValue::String("leftover");
        int32_t code = -1;
        const bool ok = read(path, d, code);
        std::string problem = check(ok, code, d, name);
        if (!problem.empty()) return problem;
    }
    ProjectData d;
    const OpenResult r = OpenProjectFile(path, d);
    if (r.outcome == OpenOutcome::ReadFailed && r.code == 0) return "open: failure with code 0";
    if (r.outcome == OpenOutcome::Ok && r.code != 0) return "open: success with a code";
    return std::string();
}

}  // namespace wyndlor::probe
