// wyndlor-calc: the design-flood calculation of project files from the
// command line.  A thin main over CliRun.
#include "CliRun.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return wyndlor::cli::RunCli(args, std::cout, std::cerr);
}
