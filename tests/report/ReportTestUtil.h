// Helpers of the report tests: the built format file, and print-file bytes
// read back as text, lines and pages.
#pragma once

#include "core/CalcRun.h"
#include "core/SystemHelpers.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace wyndlor::test {

// A calculation run put together from parts made by hand or by CalcAll, so
// that a test can print exactly the results it built.
inline CalcRun RunOf(const ProjectData &data, const CalcResults &results, const AccuracyCheck *check = nullptr) {
    CalcRun run;
    run.Data = data;
    run.Results = results;
    run.Ok = results.FailedStep == CalcStep::None && results.objQo != nullptr;
    if (check) run.Check = *check;
    return run;
}

inline QString FormatFile() { return QStringLiteral(WYNDLOR_TEST_FMT); }

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline QByteArray Sjis(const QString &text) { return ToShiftJis(text); }
inline QString Text(const QByteArray &bytes) { return FromShiftJis(bytes); }

// Pages of a print file (split at form feeds), each as its lines without
// line ends; the empty remainder after the last line end is dropped.
inline std::vector<std::vector<QByteArray>> Pages(const QByteArray &file) {
    std::vector<std::vector<QByteArray>> pages;
    for (const QByteArray &page : file.split('\f')) {
        std::vector<QByteArray> lines;
        const QList<QByteArray> raw = page.split('\n');
        for (int i = 0; i < raw.size(); ++i) {
            QByteArray l = raw[i];
            if (i == raw.size() - 1 && l.isEmpty()) break;
            if (l.endsWith('\r')) l.chop(1);
            lines.push_back(l);
        }
        pages.push_back(lines);
    }
    return pages;
}

// The lines of a print file as text (form feeds kept at the line start).
inline QStringList Lines(const QByteArray &file) {
    QStringList out;
    for (const QByteArray &l : file.split('\n')) {
        QByteArray t = l;
        if (t.endsWith('\r')) t.chop(1);
        out << Text(t);
    }
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

}  // namespace wyndlor::test
