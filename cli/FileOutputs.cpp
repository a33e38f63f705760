#include "cli/FileOutputs.h"

#include "calc/SlotValue.h"
#include "cli/FileRun.h"
#include "core/AppPaths.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"
#include "previewer/PdfExport.h"
#include "report/ReportJob.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <ostream>

namespace wyndlor::cli {

int RunReport(const std::string &file, const std::string &reportOut, const std::string &pdfOut,
              const std::string &format, const std::string &ini, std::ostream &out, std::ostream &err) {
    const FileRun f = RunFile(QString::fromLocal8Bit(file.c_str()));
    if (!Succeeded(f)) {
        err << "wyndlor-calc: " << file << ": " << FailureText(f) << "\n";
        return 1;
    }
    const QString formatFile = format.empty() ? DefaultFormatFileName() : QString::fromLocal8Bit(format.c_str());
    const QString iniFile = ini.empty() ? DefaultIniFileName() : QString::fromLocal8Bit(ini.c_str());
    // A FIFO or a device named as the format or settings file is said at
    // once (reading one would block, or give an empty numbering silently).
    for (const QString &named : {formatFile, iniFile}) {
        if (ExistsButNotRegularFile(named)) {
            err << "wyndlor-calc: " << msg::NotRegularFileText(named).toStdString() << "\n";
            return 1;
        }
    }

    QTemporaryDir scratch;
    QString printFile = QString::fromLocal8Bit(reportOut.c_str());
    if (reportOut.empty()) {
        if (!scratch.isValid()) {
            err << "wyndlor-calc: no temporary folder for the report\n";
            return 1;
        }
        printFile = scratch.filePath(QStringLiteral("report.prn"));
    }
    QString message;
    if (!WriteFullReport(printFile, f.run, formatFile, iniFile, message)) {
        err << "wyndlor-calc: " << file << ": " << message.trimmed().toStdString() << "\n";
        return 1;
    }
    if (!pdfOut.empty()) {
        const QString pdfPath = QString::fromLocal8Bit(pdfOut.c_str());
        glancer::PrintDocument doc;
        QByteArray pdf;
        QString error;
        if (!glancer::LoadPrintFile(printFile, doc, error)) {
            err << "wyndlor-calc: " << error.toStdString() << "\n";
            return 1;
        }
        // Every page carries the project's title at its head.
        doc.title = QString::fromStdString(f.run.Data.ConditionsData(slot::Title).ToText());
        if (!glancer::RenderPdf(doc, doc.title.isEmpty() ? QFileInfo(pdfPath).completeBaseName() : doc.title, pdf,
                                error)) {
            err << "wyndlor-calc: " << error.toStdString() << "\n";
            return 1;
        }
        if (const int32_t code = WriteFileReplacing(pdfPath, pdf)) {
            err << "wyndlor-calc: " << msg::PdfWriteFailed(pdfPath, code).toStdString() << "\n";
            return 1;
        }
        out << pdfOut << "\n";
    } else {
        out << reportOut << "\n";
    }
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
