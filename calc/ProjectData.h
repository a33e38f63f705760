// The input of one project: five groups, each a flag and numbered slots.
//
// This is the whole engineering input of a pond: the calculation conditions
// (title, pond, rainfall formula), the h-V curve data, the catchment, the
// spillway control section and the calculation time step.  The desktop
// program fills it through its input forms, the project file reads and
// writes it slot by slot, and the calculation driver reads it.  Slots and
// table rows count from 1, tables are indexed (column, row).  The type is
// plain C++ so that the driver in this library can read it.
#pragma once

#include "calc/SlotValue.h"

#include <cstdint>
#include <vector>

namespace wyndlor {

// A fixed number of 1-based slots.
class SlotArray {
public:
    explicit SlotArray(int32_t size = 0) : v_(static_cast<size_t>(size)) {}
    int32_t Size() const { return static_cast<int32_t>(v_.size()); }
    // i from 1 to Size(); out-of-range access is a programming error.
    SlotValue &operator()(int32_t i) { return v_.at(static_cast<size_t>(i - 1)); }
    const SlotValue &operator()(int32_t i) const { return v_.at(static_cast<size_t>(i - 1)); }
    bool operator==(const SlotArray &o) const;
    bool operator!=(const SlotArray &o) const { return !(*this == o); }

private:
    std::vector<SlotValue> v_;
};

// A fixed table of cells, indexed (column, row) from 1.
class SlotTable {
public:
    SlotTable(int32_t columns = 0, int32_t rows = 0)
        : cols_(columns), rows_(rows), v_(static_cast<size_t>(columns * rows)) {}
    int32_t Columns() const { return cols_; }
    int32_t Rows() const { return rows_; }
    bool InRange(int32_t col, int32_t row) const {
        return col >= 1 && col <= cols_ && row >= 1 && row <= rows_;
    }
    SlotValue &operator()(int32_t col, int32_t row) { return v_.at(index(col, row)); }
    const SlotValue &operator()(int32_t col, int32_t row) const { return v_.at(index(col, row)); }
    bool operator==(const SlotTable &o) const;
    bool operator!=(const SlotTable &o) const { return !(*this == o); }

private:
    size_t index(int32_t col, int32_t row) const;
    int32_t cols_, rows_;
    std::vector<SlotValue> v_;
};

// Slot numbers of the groups, for readable code.
namespace slot {
// ConditionsData
constexpr int32_t Title = 1, Volume = 2, FWL = 3, Area = 4, Yoyuu = 5, Qfix = 6,
                  Siki = 7, Time = 8, Unit = 9, ConstA = 10, ConstB = 11, ConstN = 12,
                  CalcTime = 13, Hakei = 14;
// HVCData
constexpr int32_t HVCMethod = 1, HVCStartLevel = 2;
// CatchmentSummary
constexpr int32_t SumArea = 1, SumFp = 2, SumC = 3;
// SectionData
constexpr int32_t SectType = 1, SectB1 = 2, SectC1 = 3, SectB = 4, SectCd = 5;
// DeltaTData
constexpr int32_t DeltaT = 1;
}  // namespace slot

constexpr int32_t kConditionsSlots = 20;
constexpr int32_t kGroupSlots = 10;
constexpr int32_t kTableRows = 10;

struct ProjectData {
    bool HasConditions = false;
    bool HasHVC = false;
    bool HasCatchment = false;
    bool HasSection = false;
    bool HasDeltaT = false;

    SlotArray ConditionsData{kConditionsSlots};
    SlotArray HVCData{kGroupSlots};
    int32_t HVCCount = 0;
    SlotTable HVCTable{2, kTableRows};          // (1, i) level h m, (2, i) area A m2
    int32_t CatchmentCount = 0;
    SlotTable CatchmentTable{4, kTableRows};    // name, area km2, fp, C
    SlotArray CatchmentSummary{kGroupSlots};
    SlotArray SectionData{kGroupSlots};
    SlotArray DeltaTData{kGroupSlots};

    bool operator==(const ProjectData &o) const;
    bool operator!=(const ProjectData &o) const { return !(*this == o); }
};

// Re-creates every slot and table empty, clears the five flags and the two
// counts.  Always returns true.
bool InitProjectData(ProjectData &data);

}  // namespace wyndlor
