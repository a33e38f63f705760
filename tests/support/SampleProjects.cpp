#include "tests/support/SampleProjects.h"

namespace wyndlor::test {

ProjectData TestPond() {
    ProjectData d;
    InitProjectData(d);
    d.HasConditions = d.HasHVC = d.HasCatchment = d.HasSection = d.HasDeltaT = true;
    SlotArray &c = d.ConditionsData;
    c(slot::Title) = SlotValue::String("試験ため池");
    c(slot::FWL) = SlotValue::Double(100);
    c(slot::Area) = SlotValue::Double(20000);
    c(slot::Yoyuu) = SlotValue::Double(20);
    c(slot::Qfix) = SlotValue::Double(0);
    c(slot::Siki) = SlotValue::Int32(0);
    c(slot::Time) = SlotValue::Int32(0);
    c(slot::Unit) = SlotValue::Int32(0);
    c(slot::ConstA) = SlotValue::Double(5000);
    c(slot::ConstB) = SlotValue::Double(40);
    c(slot::ConstN) = SlotValue::Double(0);
    c(slot::CalcTime) = SlotValue::Double(12);
    c(slot::Hakei) = SlotValue::Int32(0);
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(0);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(100);
    d.CatchmentCount = 2;
    const char *names[] = {"A", "B"};
    const double rows[2][3] = {{1.5, 0.7, 290}, {0.5, 0.9, 190}};
    for (int32_t i = 1; i <= 2; ++i) {
        d.CatchmentTable(1, i) = SlotValue::String(names[i - 1]);
        for (int32_t k = 2; k <= 4; ++k) d.CatchmentTable(k, i) = SlotValue::Double(rows[i - 1][k - 2]);
    }
    d.CatchmentSummary(slot::SumArea) = SlotValue::Double(2.0);
    d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0.75);
    d.CatchmentSummary(slot::SumC) = SlotValue::Double(265);
    d.SectionData(slot::SectType) = SlotValue::Int32(1);
    d.SectionData(slot::SectB) = SlotValue::Double(5);
    d.SectionData(slot::SectCd) = SlotValue::Double(1.8);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(10);
    return d;
}

ProjectData StiffPond(double pondArea, int32_t deltaT) {
    ProjectData d = TestPond();
    d.ConditionsData(slot::Title) = SlotValue::String("速い応答のため池");
    d.ConditionsData(slot::Area) = SlotValue::Double(pondArea);
    d.ConditionsData(slot::Time) = SlotValue::Int32(2);
    d.ConditionsData(slot::ConstA) = SlotValue::Double(6000);
    d.CatchmentCount = 0;
    d.SectionData(slot::SectB) = SlotValue::Double(20);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(deltaT);
    return d;
}

ProjectData NishitaniIke(int32_t deltaT) {
    ProjectData d;
    InitProjectData(d);
    d.HasConditions = d.HasHVC = d.HasCatchment = d.HasSection = d.HasDeltaT = true;
    SlotArray &c = d.ConditionsData;
    c(slot::Title) = SlotValue::String("西谷ため池");
    c(slot::Volume) = SlotValue::Double(98000);
    c(slot::FWL) = SlotValue::Double(128.35);
    c(slot::Area) = SlotValue::Double(21500);
    c(slot::Yoyuu) = SlotValue::Double(20);
    c(slot::Qfix) = SlotValue::Double(0);
    c(slot::Siki) = SlotValue::Int32(2);
    c(slot::Time) = SlotValue::Int32(2);
    c(slot::Unit) = SlotValue::Int32(1);
    c(slot::ConstA) = SlotValue::Double(65);
    c(slot::ConstB) = SlotValue::Double(0.25);
    c(slot::ConstN) = SlotValue::Double(0);
    c(slot::CalcTime) = SlotValue::Double(24);
    c(slot::Hakei) = SlotValue::Int32(1);
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(0);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(128.35);
    d.CatchmentCount = 2;
    const char *names[] = {"西谷山林", ""};
    const double rows[2][3] = {{0.55, 0.7, 290}, {0.25, 0.65, 290}};
    for (int32_t i = 1; i <= 2; ++i) {
        d.CatchmentTable(1, i) = SlotValue::String(names[i - 1]);
        for (int32_t k = 2; k <= 4; ++k) d.CatchmentTable(k, i) = SlotValue::Double(rows[i - 1][k - 2]);
    }
    d.CatchmentSummary(slot::SumArea) = SlotValue::Double(0.8);
    d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0.684);
    d.CatchmentSummary(slot::SumC) = SlotValue::Double(290);
    d.SectionData(slot::SectType) = SlotValue::Int32(0);
    d.SectionData(slot::SectB1) = SlotValue::Double(4);
    d.SectionData(slot::SectC1) = SlotValue::Double(0.95);
    d.DeltaTData(slot::DeltaT) = SlotValue::Int32(deltaT);
    return d;
}

std::string MaximalTitle() {
    // 60 full-width characters.
    return "最大規模試験ため池（北側山林流域および南側水田流域を含む）設計洪水位検討業務委託報告書第一回変更"
           "設計その二（令和六年度）";
}

std::string MaximalName(int32_t i) {
    // 20 full-width characters, the number last.
    static const char *const digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    return "北側山林（国有林）第二区画上流部の流域" + std::string(digits[i % 10]);
}

ProjectData MaximalProject(bool frustum, double pondScale) {
    ProjectData d;
    InitProjectData(d);
    d.HasConditions = d.HasHVC = d.HasCatchment = d.HasSection = d.HasDeltaT = true;
    SlotArray &c = d.ConditionsData;
    c(slot::Title) = SlotValue::String(MaximalTitle());
    c(slot::Volume) = SlotValue::Double(250000);
    c(slot::FWL) = SlotValue::Double(152.3);
    c(slot::Area) = SlotValue::Double(48000 * pondScale);
    c(slot::Yoyuu) = SlotValue::Double(20);
    c(slot::Qfix) = SlotValue::Double(0.3);
    c(slot::Siki) = SlotValue::Int32(0);
    c(slot::Time) = SlotValue::Int32(2);  // 72 h
    c(slot::Unit) = SlotValue::Int32(0);
    c(slot::ConstA) = SlotValue::Double(5000);
    c(slot::ConstB) = SlotValue::Double(40);
    c(slot::ConstN) = SlotValue::Double(0);
    c(slot::CalcTime) = SlotValue::Double(99);
    c(slot::Hakei) = SlotValue::Int32(1);
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(frustum ? 1 : 0);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(152.3);
    if (frustum) {
        d.HVCCount = 10;
        for (int32_t i = 1; i <= 10; ++i) {
            d.HVCTable(1, i) = SlotValue::Double(148.0 + 0.8 * i);
            d.HVCTable(2, i) = SlotValue::Double((20000.0 + 4000.0 * i) * pondScale);
        }
    }
    d.CatchmentCount = 10;
    for (int32_t i = 1; i <= 10; ++i) {
        d.CatchmentTable(1, i) = SlotValue::String(MaximalName(i));
        d.CatchmentTable(2, i) = SlotValue::Double(0.35);
        d.CatchmentTable(3, i) = SlotValue::Double(0.7);
        d.CatchmentTable(4, i) = SlotValue::Double(290);
    }
    d.CatchmentSummary(slot::SumArea) = SlotValue::Double(3.5);
    d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0.7);
    d.CatchmentSummary(slot::SumC) = SlotValue::Double(290);
    d.SectionData(slot::SectType) = SlotValue::Int32(1);
    d.SectionData(slot::SectB) = SlotValue::Double(12);
    d.SectionData(slot::SectCd) = SlotValue::Double(1.8);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(10);
    return d;
}

}  // namespace wyndlor::test
