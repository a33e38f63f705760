// Glancer: shows and prints a report print file.
//
//     Glancer [/INI=<work folder>] [/PROJECT=<project file>] [/TITLE=<title>] <print file>
#include "previewer/CommandLine.h"
#include "previewer/GlancerMessages.h"
#include "previewer/GlancerWindow.h"
#include "previewer/PrintDocument.h"

#include <QApplication>

using namespace wyndlor::glancer;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glancer"));

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
    doc.title = args.title;
    GlancerWindow window(std::move(doc), args.printFile, args.iniFolder, args.projectFile);
    window.RestoreState();
    window.show();
    return app.exec();
}
