// Glancer: shows and prints a report print file.
//
//     Glancer [/INI=<work folder>] [/PROJECT=<project file>] [/TITLE=<title>] <print file>
//     Glancer --version | --help      answers on the terminal, no display needed
#include "previewer/CommandLine.h"
#include "previewer/GlancerMessages.h"
#include "previewer/GlancerWindow.h"
#include "previewer/PrintDocument.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#ifndef OSTREVIN_VERSION
#define OSTREVIN_VERSION "1.4.0"
#endif

using namespace wyndlor::glancer;

namespace {

const char kUsage[] =
    "Usage: Glancer [/INI=FOLDER] [/PROJECT=FILE.wyd] [/TITLE=TITLE] PRINTFILE\n"
    "       Glancer --version | --help\n"
    "\n"
    "Shows, prints and exports as PDF a report print file of Ostrevin (Shift_JIS\n"
    "text, pages separated by form feeds), as the print menu of Wyndlor starts it.\n"
    "\n"
    "  /INI=FOLDER     keep the window place, zoom and PDF folder in FOLDER/Glancer.INI\n"
    "  /PROJECT=FILE   the project the report belongs to (names the PDF)\n"
    "  /TITLE=TITLE    the title printed at the head of every page\n"
    "  --version       print the version and exit\n"
    "  --help          print this text and exit\n";

// Answered before any window system is opened: a terminal without a display
// gets its answer instead of a platform abort.  -1: go on and start.
int AnswerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Glancer (Ostrevin) %s\n", OSTREVIN_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const int answered = AnswerInformationOptions(argc, argv); answered >= 0)
        return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glancer"));
    // Ostrevin's icon, as the desktop entry shows it.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/wyndlor-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // Qt's own dialogs and buttons (print dialog, file dialog) in Japanese
    // whatever the system locale, as in Wyndlor; without the catalogue they
    // stay in English.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);

    const LaunchArguments args = ParseLaunchArguments(QApplication::arguments().mid(1));
    if (args.printFile.isEmpty()) {
        GlancerMessages().Error(nullptr, QStringLiteral("印刷ファイルが指定されていません。\n"
                                                        "使い方: Glancer [/INI=<フォルダ>] [/PROJECT=<計算ファイル>] "
                                                        "[/TITLE=<件名>] <印刷ファイル>"));
        return 2;
    }
    // the whole file is read now: the caller may delete it while we run
    PrintDocument doc;
    QString error;
    if (!LoadPrintFile(args.printFile, doc, error)) {
        GlancerMessages().Error(nullptr, error);
        return 1;
    }
    doc.title = PlainText(args.title);
    GlancerWindow window(std::move(doc), args.printFile, args.iniFolder, args.projectFile);
    window.RestoreState();
    window.show();
    return app.exec();
}
