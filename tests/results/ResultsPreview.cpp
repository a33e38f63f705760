// A look at the result windows by eye: calculates the small test project
// and shows the results menu, the routing table and both graphs side by
// side, without the modal chain.  For screenshots under Xvfb.
#include "ResultsTestSupport.h"
#include "frmGraph.h"
#include "frmMenuRO.h"
#include "frmResOut.h"

#include <QApplication>
#include <QTimer>

using namespace wyndlor;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    CalcResults results;
    if (!CalcAll(test::SmallProject(), results)) return 1;
    // With a second argument "tables": the two tables only, side by side.
    if (argc > 2 && QString(argv[2]) == QLatin1String("tables")) {
        frmMenuRO owner(results);
        auto qi = owner.CreateTable(QStringLiteral("ResOutQi"));
        auto qo = owner.CreateTable(QStringLiteral("ResOutQo"));
        qi->show();
        qi->setGeometry(0, 0, 480, 400);
        qo->show();
        qo->setGeometry(490, 0, 780, 1000);
        QTimer::singleShot(QString(argv[1]).toInt(), &app, &QApplication::quit);
        return app.exec();
    }
    frmMenuRO menu(results);
    menu.show();
    menu.move(0, 0);
    auto table = menu.CreateTable(QStringLiteral("ResOutQo"));
    table->show();
    table->move(0, 330);
    auto graphQo = menu.CreateGraph(QStringLiteral("ResOutQo"), nullptr);
    graphQo->show();
    graphQo->setGeometry(480, 0, 800, 520);
    auto graphQi = menu.CreateGraph(QStringLiteral("ResOutQi"), nullptr);
    graphQi->show();
    graphQi->setGeometry(480, 560, 800, 440);
    if (argc > 1) QTimer::singleShot(QString(argv[1]).toInt(), &app, &QApplication::quit);
    return app.exec();
}
