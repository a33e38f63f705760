#include "previewer/CommandLine.h"

namespace wyndlor::glancer {

namespace {

QString Unquoted(QString text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

}  // namespace

LaunchArguments ParseLaunchArguments(const QStringList &arguments)
{
    static const QString kIniSwitch = QStringLiteral("/INI=");
    static const QString kProjectSwitch = QStringLiteral("/PROJECT=");
    static const QString kTitleSwitch = QStringLiteral("/TITLE=");
    LaunchArguments result;
    QStringList fileParts;
    for (const QString &arg : arguments) {
        if (fileParts.isEmpty() && arg.startsWith(kIniSwitch, Qt::CaseInsensitive))
            result.iniFolder = Unquoted(arg.mid(kIniSwitch.size()));
        else if (fileParts.isEmpty() && arg.startsWith(kProjectSwitch, Qt::CaseInsensitive))
            result.projectFile = Unquoted(arg.mid(kProjectSwitch.size()));
        else if (fileParts.isEmpty() && arg.startsWith(kTitleSwitch, Qt::CaseInsensitive))
            result.title = Unquoted(arg.mid(kTitleSwitch.size()));
        else if (!arg.isEmpty())
            fileParts.append(arg);
    }
    result.printFile = Unquoted(fileParts.join(u' '));
    return result;
}

}  // namespace wyndlor::glancer
