#include "core/ProjectFile.h"

#include "core/SystemHelpers.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <cmath>

#include <string>

namespace wyndlor {

namespace {

const char kBanner[] = "TARNVALE INPUT FILE FORMAT V1\xEF\xBC\x9A";  // UTF-8 of "...V1："
const char kProductLine[] = "PRODUCT NAME                   [Ostrevin]";
const char kVersionLine[] = "INPUT FILE VERSION             [1.40]";
// The version text starts at this character of header line 3 (1-based).
constexpr int kVersionColumn = 33;

// Reads the whole file into `bytes`; 0 or the error number.  Only a
// regular file is read: a FIFO or a device named as a project fails at once
// instead of blocking the program.
int32_t ReadWholeFile(const QString &path, QByteArray &bytes) {
    return ReadRegularFile(path, kMaxProjectFileBytes, bytes);
}

// The original runtime's line reading: a line ends at CR LF, CR or LF.
QList<QByteArray> SplitLines(const QByteArray &bytes, int maxLines) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n && lines.size() < maxLines) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (lines.size() < maxLines && start < n) lines.append(bytes.mid(start));
    return lines;
}

// One field of the write-field notation.
struct Field {
    bool quoted = false;
    QByteArray text;
};

// Reads the value lines field by field.  Bytes are examined, not decoded
// text: Shift_JIS trail bytes start at 0x40, so a quote, a comma, CR or LF
// byte is always the character itself.  Each reading step returns 0 or the
// error number.
class FieldReader {
public:
    explicit FieldReader(const QByteArray &bytes) : b_(bytes) {}

    int32_t SkipLine() {
        if (AtEnd()) return err::PastEndOfFile;
        while (!AtEnd() && b_[p_] != '\r' && b_[p_] != '\n') ++p_;
        ConsumeLineEnd();
        return 0;
    }

    int32_t ReadField(Field &f) {
        while (!AtEnd() && (b_[p_] == ' ' || b_[p_] == '\t')) ++p_;
        if (AtEnd()) return err::PastEndOfFile;
        f = Field();
        if (b_[p_] == '"') {
            // A quoted text runs to the next quote, across line ends; there
            // is no escape for a quote inside.  Whatever follows the closing
            // quote up to the delimiter is dropped.
            const qsizetype close = b_.indexOf('"', p_ + 1);
            if (close < 0) return err::PastEndOfFile;
            f.quoted = true;
            f.text = b_.mid(p_ + 1, close - p_ - 1);
            p_ = close + 1;
            while (!AtEnd() && b_[p_] != ',' && b_[p_] != '\r' && b_[p_] != '\n') ++p_;
        } else {
            const qsizetype start = p_;
            while (!AtEnd() && b_[p_] != ',' && b_[p_] != '\r' && b_[p_] != '\n') ++p_;
            qsizetype end = p_;
            while (end > start && (b_[end - 1] == ' ' || b_[end - 1] == '\t')) --end;
            f.text = b_.mid(start, end - start);
        }
        if (!AtEnd() && b_[p_] == ',') ++p_;
        else ConsumeLineEnd();
        return 0;
    }

    int32_t ReadFlag(bool &out) {
        Field f;
        if (int32_t e = ReadField(f)) return e;
        const QByteArray t = f.text.toUpper();
        if (t == "#TRUE#") out = true;
        else if (t == "#FALSE#" || (t.isEmpty() && !f.quoted)) out = false;
        else return err::TypeMismatch;
        return 0;
    }

    // A row count: an integer 0 to 10; less than 0 counts as 0 (no rows),
    // more than 10 does not fit the table.  Checked here, before any row is
    // read, so that a damaged count of two thousand million fails at once.
    int32_t ReadCount(int32_t &out) {
        Field f;
        if (int32_t e = ReadField(f)) return e;
        int32_t n = 0;
        if (!f.text.isEmpty()) {
            double d = 0;
            if (int32_t e = ParsePlainNumber(f.text.toStdString(), d)) return e;
            if (int32_t e = RoundToLong(d, n)) return e;
        }
        if (n > kTableRows) return err::Subscript;
        out = n < 0 ? 0 : n;
        return 0;
    }

    int32_t ReadSlot(SlotValue &out) {
        Field f;
        if (int32_t e = ReadField(f)) return e;
        if (f.quoted) {
            bool valid = false;
            const QString s = FromShiftJis(f.text, &valid);
            // Bytes that are no Shift_JIS text are a damaged file, not a
            // title: refuse them rather than carry replacement marks along.
            if (!valid) return err::TypeMismatch;
            out = SlotValue::String(s.toStdString());
            return 0;
        }
        if (f.text.isEmpty()) {
            out = SlotValue();
            return 0;
        }
        const std::string t = f.text.toStdString();
        double d = 0;
        if (int32_t e = ParsePlainNumber(t, d)) return e;
        // A whole number written without point or exponent that fits 32
        // bits is read as an integer, as it was when it was written.
        bool whole = true;
        for (char c : t) {
            if (!(c >= '0' && c <= '9') && c != '+' && c != '-' && c != ' ' && c != '\t') whole = false;
        }
        int32_t n = 0;
        if (whole && d >= -2147483648.0 && d <= 2147483647.0 && RoundToLong(d, n) == 0) {
            out = SlotValue::Int32(n);
        } else {
            out = SlotValue::Double(d);
        }
        return 0;
    }

    int32_t ReadSlots(SlotArray &a, int32_t count) {
        for (int32_t i = 1; i <= count; ++i) {
            if (int32_t e = ReadSlot(a(i))) return e;
        }
        return 0;
    }

private:
    bool AtEnd() const { return p_ >= b_.size(); }
    void ConsumeLineEnd() {
        if (AtEnd()) return;
        if (b_[p_] == '\r') {
            ++p_;
            if (!AtEnd() && b_[p_] == '\n') ++p_;
        } else if (b_[p_] == '\n') {
            ++p_;
        }
    }

    const QByteArray &b_;
    qsizetype p_ = 0;
};

enum class Layout { V140, V120, V100 };

// The h-V block: flag, 10 slots, count, rows of (level, area).
int32_t ReadHVCBlock(FieldReader &r, ProjectData &d) {
    if (int32_t e = r.ReadFlag(d.HasHVC)) return e;
    if (int32_t e = r.ReadSlots(d.HVCData, kGroupSlots)) return e;
    if (int32_t e = r.ReadCount(d.HVCCount)) return e;
    for (int32_t i = 1; i <= d.HVCCount; ++i) {
        for (int32_t c = 1; c <= 2; ++c) {
            if (int32_t e = r.ReadSlot(d.HVCTable(c, i))) return e;
        }
    }
    return 0;
}

// Files before 1.10 had no h-V block: the pond was always treated by the
// guideline's constant-area method, which needs only FWL and A.  The block
// is built so that such a file calculates as it did.
int32_t BuildHVCFromConditions(ProjectData &d) {
    double fwl = 0, area = 0;
    if (int32_t e = d.ConditionsData(slot::FWL).ToDouble(fwl)) return e;
    if (int32_t e = d.ConditionsData(slot::Area).ToDouble(area)) return e;
    d.HasHVC = true;
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(0);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(fwl);
    d.HVCCount = 2;
    d.HVCTable(1, 1) = SlotValue::Double(fwl);
    d.HVCTable(2, 1) = SlotValue::Double(area);
    d.HVCTable(1, 2) = SlotValue::Double(fwl + 1);
    d.HVCTable(2, 2) = SlotValue::Double(area);
    return 0;
}

int32_t ReadBody(FieldReader &r, ProjectData &d, Layout layout) {
    for (int i = 0; i < 3; ++i) {
        if (int32_t e = r.SkipLine()) return e;
    }
    if (int32_t e = r.ReadFlag(d.HasConditions)) return e;
    if (int32_t e = r.ReadSlots(d.ConditionsData, kConditionsSlots)) return e;

    if (layout == Layout::V100) {
        if (int32_t e = BuildHVCFromConditions(d)) return e;
    } else {
        if (int32_t e = ReadHVCBlock(r, d)) return e;
    }

    if (int32_t e = r.ReadFlag(d.HasCatchment)) return e;
    if (int32_t e = r.ReadCount(d.CatchmentCount)) return e;
    for (int32_t i = 1; i <= d.CatchmentCount; ++i) {
        for (int32_t c = 1; c <= 4; ++c) {
            if (int32_t e = r.ReadSlot(d.CatchmentTable(c, i))) return e;
        }
    }
    if (int32_t e = r.ReadSlots(d.CatchmentSummary, kGroupSlots)) return e;

    if (int32_t e = r.ReadFlag(d.HasSection)) return e;
    if (layout == Layout::V140) {
        if (int32_t e = r.ReadSlots(d.SectionData, kGroupSlots)) return e;
    } else {
        // Before 1.40 the spillway was always an overflow weir, stored as
        // (B, Cd, eight values no longer used).
        SlotArray old(kGroupSlots);
        if (int32_t e = r.ReadSlots(old, kGroupSlots)) return e;
        d.SectionData(slot::SectType) = SlotValue::Int16(1);
        d.SectionData(slot::SectB1) = SlotValue::Int16(0);
        d.SectionData(slot::SectC1) = SlotValue::Int16(0);
        d.SectionData(slot::SectB) = old(1);
        d.SectionData(slot::SectCd) = old(2);
    }

    if (int32_t e = r.ReadFlag(d.HasDeltaT)) return e;
    return r.ReadSlots(d.DeltaTData, kGroupSlots);
}

bool LoadWithLayout(const QString &path, ProjectData &data, int32_t &code, Layout layout) {
    InitProjectData(data);
    QByteArray bytes;
    int32_t e = ReadWholeFile(path, bytes);
    if (e == 0) {
        FieldReader r(bytes);
        e = ReadBody(r, data, layout);
    }
    if (e != 0) {
        code = e;
        InitProjectData(data);
        return false;
    }
    return true;
}

// ---- writing ----

// A value line in the write-field notation.
QString ValueText(const SlotValue &v) {
    switch (v.kind()) {
    case SlotValue::Kind::Empty: return QString();
    case SlotValue::Kind::String:
        return QLatin1Char('"') + QString::fromStdString(v.ToText()) + QLatin1Char('"');
    default: return QString::fromStdString(v.ToText());
    }
}

// A count line in the print notation: the place of the sign, the digits,
// one blank.
QString CountText(int32_t n) {
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + QLatin1Char(' ');
}

// Checks that a value can be written so that it reads back as it is: a text
// must be Shift_JIS and hold no quote (the notation has no escape for one);
// a number must be finite.  0 or the error number.
int32_t CheckWritable(const SlotValue &v) {
    if (v.kind() == SlotValue::Kind::String) {
        const QString s = QString::fromStdString(v.ToText());
        if (s.contains(QLatin1Char('"')) || !CanEncodeShiftJis(s)) return err::InvalidCall;
    } else if (v.kind() == SlotValue::Kind::Double) {
        double d = 0;
        v.ToDouble(d);
        if (!std::isfinite(d)) return err::Overflow;
    }
    return 0;
}

int32_t CheckWritable(const SlotArray &a) {
    for (int32_t i = 1; i <= a.Size(); ++i) {
        if (int32_t e = CheckWritable(a(i))) return e;
    }
    return 0;
}

int32_t CheckWritable(const ProjectData &d) {
    if (d.HVCCount > kTableRows || d.CatchmentCount > kTableRows) return err::Subscript;
    for (const SlotArray *a : {&d.ConditionsData, &d.HVCData, &d.CatchmentSummary, &d.SectionData,
                               &d.DeltaTData}) {
        if (int32_t e = CheckWritable(*a)) return e;
    }
    for (int32_t i = 1; i <= d.HVCCount; ++i) {
        for (int32_t c = 1; c <= 2; ++c) {
            if (int32_t e = CheckWritable(d.HVCTable(c, i))) return e;
        }
    }
    for (int32_t i = 1; i <= d.CatchmentCount; ++i) {
        for (int32_t c = 1; c <= 4; ++c) {
            if (int32_t e = CheckWritable(d.CatchmentTable(c, i))) return e;
        }
    }
    return 0;
}

QString FlagText(bool b) { return b ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"); }

QStringList BuildLines(const ProjectData &d) {
    QStringList l;
    // The banner carries the title for people who look into the file; it is
    // never read back, and a line break in it would shift every line below.
    QString title = QString::fromStdString(d.ConditionsData(slot::Title).ToText());
    title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    l << QString::fromUtf8(kBanner) + title << QString::fromLatin1(kProductLine)
      << QString::fromLatin1(kVersionLine);
    auto writeSlots = [&l](const SlotArray &a) {
        for (int32_t i = 1; i <= a.Size(); ++i) l << ValueText(a(i));
    };
    l << FlagText(d.HasConditions);
    writeSlots(d.ConditionsData);
    l << FlagText(d.HasHVC);
    writeSlots(d.HVCData);
    l << CountText(d.HVCCount);
    for (int32_t i = 1; i <= d.HVCCount; ++i) l << ValueText(d.HVCTable(1, i)) << ValueText(d.HVCTable(2, i));
    l << FlagText(d.HasCatchment) << CountText(d.CatchmentCount);
    for (int32_t i = 1; i <= d.CatchmentCount; ++i) {
        for (int32_t c = 1; c <= 4; ++c) l << ValueText(d.CatchmentTable(c, i));
    }
    writeSlots(d.CatchmentSummary);
    l << FlagText(d.HasSection);
    writeSlots(d.SectionData);
    l << FlagText(d.HasDeltaT);
    writeSlots(d.DeltaTData);
    return l;
}

}  // namespace

QString ReadFileVersion(const QString &path) {
    const QString failed = QStringLiteral("error");
    QByteArray bytes;
    if (ReadWholeFile(path, bytes) != 0) return failed;
    const QList<QByteArray> lines = SplitLines(bytes, 3);
    if (lines.size() < 3) return failed;
    const QString line3 = FromShiftJis(lines[2]);
    if (line3.size() < kVersionColumn) return failed;
    QString v = line3.mid(kVersionColumn - 1);
    v.chop(1);  // the closing bracket
    return v;
}

bool LoadProjectFile(const QString &path, ProjectData &data, int32_t &code) {
    return LoadWithLayout(path, data, code, Layout::V140);
}

bool LoadProjectFile120(const QString &path, ProjectData &data, int32_t &code) {
    return LoadWithLayout(path, data, code, Layout::V120);
}

bool LoadProjectFile100(const QString &path, ProjectData &data, int32_t &code) {
    return LoadWithLayout(path, data, code, Layout::V100);
}

bool SaveProjectFile(const QString &path, const ProjectData &data, int32_t &code) {
    if (int32_t e = CheckWritable(data)) {
        code = e;
        return false;
    }
    bool encoded = false;
    const QByteArray bytes = ToShiftJis(BuildLines(data).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), &encoded);
    if (!encoded) {
        code = err::InvalidCall;
        return false;
    }
    // The old file is replaced only once the new one is complete on disk: a
    // full disk or a vanished network share leaves the last good copy.
    if (int32_t e = WriteFileReplacing(path, bytes)) {
        code = e;
        return false;
    }
    return true;
}

OpenResult OpenProjectFile(const QString &path, ProjectData &data) {
    OpenResult r;
    if (path.size() < 3 || path.right(3).toUpper() != QLatin1String("WYD")) {
        r.outcome = OpenOutcome::WrongType;
        return r;
    }
    r.version = ReadFileVersion(path);
    if (r.version == QLatin1String("error")) {
        // A file that cannot be read at all (a recent entry that vanished,
        // no permission) is reported with the reason, not as a file of an
        // unknown version "error".  No reader ran, so the data set is kept.
        QByteArray bytes;
        if (int32_t e = ReadWholeFile(path, bytes)) {
            r.outcome = OpenOutcome::ReadFailed;
            r.code = e;
            return r;
        }
    }
    bool ok = false;
    int32_t code = 0;
    if (r.version == QLatin1String("1.40")) {
        ok = LoadProjectFile(path, data, code);
    } else if (r.version == QLatin1String("1.20") || r.version == QLatin1String("1.10")) {
        ok = LoadProjectFile120(path, data, code);
    } else if (r.version == QLatin1String("1.00")) {
        ok = LoadProjectFile100(path, data, code);
    } else {
        r.outcome = OpenOutcome::UnsupportedVersion;
        return r;
    }
    r.outcome = ok ? OpenOutcome::Ok : OpenOutcome::ReadFailed;
    r.code = ok ? 0 : code;
    return r;
}

}  // namespace wyndlor
