#include "cli/FileOutputs.h"

#include "calc/SlotValue.h"
#include "cli/FileRun.h"
#include "core/AppPaths.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"
#include "previewer/PdfExport.h"
#include "report/PrintWriter.h"
#include "report/ReportJob.h"

#include <QFileInfo>
#include <ostream>

namespace wyndlor::cli {

int RunReport(const std::string &file, const std::string &reportOut, const std::string &pdfOut,
              const std::string &format, const std::string &ini, std::ostream &out, std::ostream &err) {
    const QString project = QString::fromLocal8Bit(file.c_str());
    const QString formatFile = format.empty() ? DefaultFormatFileName() : QString::fromLocal8Bit(format.c_str());
    const QString iniFile = ini.empty() ? DefaultIniFileName() : QString::fromLocal8Bit(ini.c_str());
    const QString output = QString::fromLocal8Bit((reportOut.empty() ? pdfOut : reportOut).c_str());
    // An output written over one of the inputs would destroy it (the
    // project replaced by a PDF): refused, whatever link or spelling names it.
    for (const QString &input : {project, formatFile, iniFile}) {
        if (SameFile(output, input)) {
            err << "wyndlor-calc: " << msg::OutputIsInputText(output, input).toStdString() << "\n";
            return 1;
        }
    }
    // A settings file named on purpose and missing is a mistake, not a wish
    // for the default numbering.
    if (!ini.empty() && !QFileInfo::exists(iniFile)) {
        err << "wyndlor-calc: " << msg::SettingsFileMissingText(iniFile).toStdString() << "\n";
        return 1;
    }
    // A FIFO or a device named as the format or settings file is said at
    // once (reading one would block, or give an empty numbering silently).
    for (const QString &named : {formatFile, iniFile}) {
        if (ExistsButNotRegularFile(named)) {
            err << "wyndlor-calc: " << msg::NotRegularFileText(named).toStdString() << "\n";
            return 1;
        }
    }
    const FileRun f = RunFile(project);
    if (!Succeeded(f)) {
        err << "wyndlor-calc: " << file << ": " << FailureText(f) << "\n";
        return 1;
    }

    // The PDF is made from a print file of its own in the temporary folder,
    // removed however the run ends (an interruption included).
    QString printFile = output;
    if (reportOut.empty()) {
        printFile = MakeTempFileName();
        if (printFile.isEmpty()) {
            err << "wyndlor-calc: " << msg::NoTemporaryFileText().toStdString() << "\n";
            return 1;
        }
    }
    struct RemoveScratch {
        QString path;
        ~RemoveScratch() {
            if (!path.isEmpty()) RemoveFile(path);
        }
    } scratch{reportOut.empty() ? printFile : QString()};
    QString message;
    if (!WriteFullReport(printFile, f.run, formatFile, iniFile, message)) {
        err << "wyndlor-calc: " << file << ": " << message.trimmed().toStdString() << "\n";
        return 1;
    }
    if (!pdfOut.empty()) {
        glancer::PrintDocument doc;
        QByteArray pdf;
        QString error;
        if (!glancer::LoadPrintFile(printFile, doc, error)) {
            err << "wyndlor-calc: " << error.toStdString() << "\n";
            return 1;
        }
        // Every page carries the project's title at its head.
        doc.title = ReportText(QString::fromStdString(f.run.Data.ConditionsData(slot::Title).ToText()));
        if (!glancer::RenderPdf(doc, doc.title.isEmpty() ? QFileInfo(output).completeBaseName() : doc.title, pdf,
                                error)) {
            err << "wyndlor-calc: " << error.toStdString() << "\n";
            return 1;
        }
        if (const int32_t code = WriteFileReplacing(output, pdf)) {
            err << "wyndlor-calc: " << msg::PdfWriteFailed(output, code).toStdString() << "\n";
            return 1;
        }
    }
    out << (reportOut.empty() ? pdfOut : reportOut) << "\n";
    return 0;
}

int RunUpgrade(const std::string &file, const std::string &outFile, std::ostream &out, std::ostream &err) {
    ProjectData data;
    InitProjectData(data);
    const FileRun f{QString::fromLocal8Bit(file.c_str()), OpenProjectFile(QString::fromLocal8Bit(file.c_str()), data),
                    false, CalcRun()};
    if (f.read.outcome != OpenOutcome::Ok) {
        err << "wyndlor-calc: " << file << ": " << FailureText(f) << "\n";
        return 1;
    }
    const QString outPath = QString::fromLocal8Bit(outFile.c_str());
    int32_t code = 0;
    if (!SaveProjectFile(outPath, data, code)) {
        err << "wyndlor-calc: " << msg::ProjectWriteFailed(outPath, code).toStdString() << "\n";
        return 1;
    }
    out << outFile << "\n";
    return 0;
}

}  // namespace wyndlor::cli
