#include "cli/FileRun.h"

#include "core/Messages.h"
#include "core/PictureNumber.h"

namespace wyndlor::cli {

FileRun RunFile(const QString &path, bool check) {
    FileRun f;
    f.file = path;
    ProjectData data;
    InitProjectData(data);
    f.read = OpenProjectFile(path, data);
    f.readOk = f.read.outcome == OpenOutcome::Ok;
    if (f.readOk) {
        CalcRunOptions options;
        options.check = check;
        options.keepSeries = false;
        f.run = MakeCalcRun(data, options);
        f.run.SourceFile = path;
    }
    return f;
}

std::string ReadProject(const std::string &file, ProjectData &data) {
    InitProjectData(data);
    const OpenResult read = OpenProjectFile(QString::fromLocal8Bit(file.c_str()), data);
    return read.outcome == OpenOutcome::Ok ? std::string() : msg::OpenFailureLine(read).toStdString();
}

std::string FailureText(const FileRun &f) {
    if (!f.readOk) return msg::OpenFailureLine(f.read).toStdString();
    if (!f.run.Ok) return msg::CalcFailureText(f.run.Results).toStdString();
    return "";
}

std::string CheckWords(const FileRun &f) {
    const AccuracyCheck *c = f.run.ValidCheck();
    return c ? msg::AccuracyCheckWords(*c).toStdString() : std::string();
}

std::string Fixed3(double v) { return FormatPicture(v, "0.000"); }

}  // namespace wyndlor::cli
