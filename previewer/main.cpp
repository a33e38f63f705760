// Glancer: shows and prints a report print file.
//
//     Glancer [/INI=<work folder>] [/PROJECT=<project file>] [/TITLE=<title>] <print file>
#include "previewer/CommandLine.h"
#include "previewer/GlancerMessages.h"
#include "previewer/GlancerWindow.h"
#include "previewer/PrintDocument.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace wyndlor::glancer;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glancer"));
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
