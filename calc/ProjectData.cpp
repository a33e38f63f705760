#include "calc/ProjectData.h"

#include <stdexcept>

namespace wyndlor {

bool SlotArray::operator==(const SlotArray &o) const { return v_ == o.v_; }

size_t SlotTable::index(int32_t col, int32_t row) const {
    // A cell outside the table is a programming error; the flat index alone
    // would let (3, 1) of a 2-column table land on (1, 2).
    if (!InRange(col, row)) throw std::out_of_range("SlotTable cell out of range");
    return static_cast<size_t>(row - 1) * static_cast<size_t>(cols_) + static_cast<size_t>(col - 1);
}

bool SlotTable::operator==(const SlotTable &o) const {
    return cols_ == o.cols_ && rows_ == o.rows_ && v_ == o.v_;
}

bool ProjectData::operator==(const ProjectData &o) const {
    return HasConditions == o.HasConditions && HasHVC == o.HasHVC &&
           HasCatchment == o.HasCatchment && HasSection == o.HasSection &&
           HasDeltaT == o.HasDeltaT && ConditionsData == o.ConditionsData &&
           HVCData == o.HVCData && HVCCount == o.HVCCount && HVCTable == o.HVCTable &&
           CatchmentCount == o.CatchmentCount && CatchmentTable == o.CatchmentTable &&
           CatchmentSummary == o.CatchmentSummary && SectionData == o.SectionData &&
           DeltaTData == o.DeltaTData;
}

bool InitProjectData(ProjectData &data) {
    data = ProjectData();
    return true;
}

}  // namespace wyndlor
