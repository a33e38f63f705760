// wyndlor-calc: the design-flood calculation of project files from the
// command line.  A thin main over CliRun.
#include "cli/CliRun.h"
#include "core/SystemHelpers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // An interrupted run takes its temporary files with it.
    wyndlor::PrepareTempFiles();
    // A PDF needs fonts, hence a GUI application; it never opens a window,
    // so it runs on the offscreen platform, also without a display.
    std::unique_ptr<QCoreApplication> app;
    if (wyndlor::cli::WantsPdf(args)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Every mode ends here, so that a failed write to the standard output
    // is a failure in every one of them.
    wyndlor::cli::StandardOutput stdoutBuffer;
    std::ostream out(&stdoutBuffer);
    const int status = wyndlor::cli::RunCli(args, out, std::cerr);
    return wyndlor::cli::FinishStandardOutput(status, stdoutBuffer, std::cerr);
}
