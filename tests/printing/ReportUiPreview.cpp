// Shows the print menu or the numbering-style form for a look at it on a
// screen:
//   report_ui_preview MenuPrint|InpRenban [tab]
// The numbering form opens on tab 0-2 (default 0) over a sample numbering
// style: chapter and section joined by "-", margins 0, 2, 4 and 6.
//   report_ui_preview MenuPrint [print]
// The print menu is built over a calculated example project; its print
// button reports the previewer's command line on stdout instead of starting
// the previewer.  With "print" every section is ticked and printed at once
// through the real previewer (a Glancer beside this program).
#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "printing/PreviewerLaunch.h"
#include "core/ProjectFile.h"
#include "printing/RenbanBinding.h"
#include "calc/CalcDriver.h"
#include "printing/frmInpRenban.h"
#include "printing/frmMenuPrint.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <cstdio>

using namespace wyndlor;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetIniFileName(dir.filePath("Wyndlor.INI"));
    SetFormatFileName(QStringLiteral(WYNDLOR_TEST_FMT));
    SetWorkFolder(dir.path());
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (what == "InpRenban") {
        const std::pair<const char *, const char *> keys[] = {
            {"Method", "2"}, {"Style1", "1"},  {"Style2", "1"},  {"Style3", "3"},  {"Style4", "8"},
            {"Margin1", "0"}, {"Margin2", "2"}, {"Margin3", "4"}, {"Margin4", "6"}};
        for (const auto &[k, v] : keys)
            CPrivateProfile::SetValueString(IniFileName(), "Chapter", QString::fromLatin1(k), QString::fromLatin1(v));
        auto form = CreateRenbanForm(nullptr);
        const int tab = argc > 2 ? std::atoi(argv[2]) : 0;
        QTimer::singleShot(0, form.get(), [f = form.get(), tab] { f->TabStrip1->setCurrentIndex(tab); });
        std::printf("%s\n", form->exec() == QDialog::Accepted ? "OK" : "Cancel");
        return 0;
    }
    if (what != "MenuPrint") {
        std::fprintf(stderr, "usage: report_ui_preview MenuPrint|InpRenban\n");
        return 2;
    }
    ProjectData data;
    InitProjectData(data);
    OpenProjectFile(QStringLiteral(WYNDLOR_EXAMPLES_DIR "/osawa-ike.wyd"), data);
    const CalcRun run = MakeCalcRun(data);
    const bool print = argc > 2 && QString::fromLocal8Bit(argv[2]) == "print";
    if (!print) {
        SetPreviewerStarter([](const QString &program, const QStringList &arguments) {
            std::printf("%s %s\n", qPrintable(program), qPrintable(arguments.join(' ')));
            std::fflush(stdout);
            return true;
        });
    }
    frmMenuPrint menu(run);
    if (print) {
        QTimer::singleShot(0, &menu, [&menu] {
            menu.CheckItems(0);
            menu.Preview();
        });
    }
    menu.exec();
    return 0;
}
