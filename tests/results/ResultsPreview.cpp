// A look at the result windows by eye: calculates a test project with its
// accuracy check and shows the results menu, the routing table and both
// graphs side by side, without the modal chain.  For screenshots under Xvfb.
//
//   results_preview [ms] [tables | stiff | tiny | nishitani<Δt>] [width]
//
// "stiff" and "tiny" take the fast-responding pond of 20000 m2 or 2000 m2
// at a 60-minute step, whose check warns; "nishitani120" the example
// nishitani-ike at a 120-minute step; otherwise the small project.
// With "width" the menu and the window "洪水吐幅の試算", solved for a level
// 0.1 m below the one the run reaches.
#include "calc/AccuracyCheck.h"
#include "tests/results/ResultsTestSupport.h"
#include "tests/support/SampleProjects.h"
#include "results/frmGraph.h"
#include "results/frmMenuRO.h"
#include "results/frmResOut.h"
#include "results/frmSolveWidth.h"
#include "widgets/NumberField.h"

#include <QApplication>
#include <QTimer>

using namespace wyndlor;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 2 ? QString(argv[2]) : QString();
    const ProjectData data =
        mode == QLatin1String("stiff")               ? test::StiffProject(20000)
        : mode == QLatin1String("tiny")              ? test::StiffProject(2000)
        : mode.startsWith(QLatin1String("nishitani")) ? test::NishitaniIke(mode.mid(9).toInt())
                                                     : test::SmallProject();
    const CalcRun run = MakeCalcRun(data);
    if (!run.Ok) return 1;
    // With a second argument "tables": the two tables only, side by side.
    if (mode == QLatin1String("tables")) {
        frmMenuRO owner(run);
        auto qi = owner.CreateTable(QStringLiteral("ResOutQi"));
        auto qo = owner.CreateTable(QStringLiteral("ResOutQo"));
        qi->show();
        qi->setGeometry(0, 0, 480, 400);
        qo->show();
        qo->setGeometry(490, 0, 780, 1000);
        QTimer::singleShot(QString(argv[1]).toInt(), &app, &QApplication::quit);
        return app.exec();
    }
    frmMenuRO menu(run);
    menu.show();
    menu.move(0, 0);
    if (argc > 3 && QString(argv[3]) == QLatin1String("width")) {
        frmSolveWidth width(run, [](double) {});
        width.show();
        width.move(menu.frameGeometry().width() + 10, 0);
        width.numHWLa()->SetValue(run.Results.DesignFloodLevel - 0.1);
        width.Solve();
        QTimer::singleShot(QString(argv[1]).toInt(), &app, &QApplication::quit);
        return app.exec();
    }
    auto table = menu.CreateTable(QStringLiteral("ResOutQo"));
    table->show();
    table->move(0, menu.frameGeometry().height() + 10);
    auto graphQo = menu.CreateGraph(QStringLiteral("ResOutQo"), nullptr);
    graphQo->show();
    graphQo->setGeometry(480, 0, 800, 520);
    auto graphQi = menu.CreateGraph(QStringLiteral("ResOutQi"), nullptr);
    graphQi->show();
    graphQi->setGeometry(480, 560, 800, 440);
    if (argc > 1) QTimer::singleShot(QString(argv[1]).toInt(), &app, &QApplication::quit);
    return app.exec();
}
