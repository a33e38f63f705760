// Shows one input form for a look at it on a screen:
//   forms_preview InpJyoken|InpHVC|InpArea|InpSection|InpDeltaT [sample]
// With "sample" the project holds a small pond (conditions, catchment), so
// that the h-V defaults and the flood arrival time show real numbers.
#include "core/AppPaths.h"
#include "forms/FormRunner.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace wyndlor;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetIniFileName(dir.filePath("Wyndlor.INI"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: forms_preview TAG [sample]\n");
        return 2;
    }
    Project project;
    if (argc > 2 && QString(argv[2]) == "sample") {
        ProjectData &d = project.Data;
        d.HasConditions = true;
        d.ConditionsData(slot::Title) = SlotValue::String("大谷池");
        d.ConditionsData(slot::Volume) = SlotValue::Double(52000);
        d.ConditionsData(slot::FWL) = SlotValue::Double(100.5);
        d.ConditionsData(slot::Area) = SlotValue::Double(18500);
        d.ConditionsData(slot::Yoyuu) = SlotValue::Double(20);
        d.ConditionsData(slot::Siki) = SlotValue::Int32(1);
        d.ConditionsData(slot::ConstA) = SlotValue::Double(1200);
        d.ConditionsData(slot::ConstN) = SlotValue::Double(0.6);
        d.ConditionsData(slot::CalcTime) = SlotValue::Double(12);
        d.HasCatchment = true;
        d.CatchmentCount = 2;
        d.CatchmentTable(1, 1) = SlotValue::String("A");
        d.CatchmentTable(2, 1) = SlotValue::Double(1.5);
        d.CatchmentTable(3, 1) = SlotValue::Double(0.7);
        d.CatchmentTable(4, 1) = SlotValue::Double(290);
        d.CatchmentTable(1, 2) = SlotValue::String("B");
        d.CatchmentTable(2, 2) = SlotValue::Double(0.5);
        d.CatchmentTable(3, 2) = SlotValue::Double(0.9);
        d.CatchmentTable(4, 2) = SlotValue::Double(190);
        d.CatchmentSummary(slot::SumArea) = SlotValue::Double(2);
        d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0.75);
        d.CatchmentSummary(slot::SumC) = SlotValue::Double(265);
        d.HasSection = true;
        d.SectionData(slot::SectType) = SlotValue::Int32(1);
        d.SectionData(slot::SectB) = SlotValue::Double(4.5);
        d.SectionData(slot::SectCd) = SlotValue::Double(1.8);
    }
    if (!CreateInputForm(argv[1], project, nullptr)) {
        std::fprintf(stderr, "unknown form %s\n", argv[1]);
        return 2;
    }
    const bool ok = RunInputForm(argv[1], project, nullptr);
    std::printf("%s\n", ok ? "OK" : "Cancel");
    return 0;
}
