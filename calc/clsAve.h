// Area-weighted average of a catchment coefficient over the sub-catchments.
//
// Each item carries a weight n (a sub-catchment area, km2) and a value V (a
// peak runoff coefficient fp or a flood-arrival-time coefficient C).  Each
// product n V is rounded to DecItem places before it is summed, and the
// average is the rounded sum divided by the unrounded sum of the areas,
// rounded to DecAve places.
#pragma once

#include "calc/Items.h"

namespace wyndlor {

class clsAve {
public:
    int32_t DecItem = 0;
    int32_t DecAve = 0;

    colAveItem &DataItem() { return items_; }
    const colAveItem &DataItem() const { return items_; }

    // Computes GN, GNV, Ave and each item's NV.  A failure (no items, a zero
    // total area, an overflow) leaves Error non-zero, the totals as far as
    // they got and Ave unchanged.
    void Calc();

    int32_t Error() const { return error_; }
    double GN() const { return gn_; }    // sum of n
    double GNV() const { return gnv_; }  // sum of rounded n V
    double Ave() const { return ave_; }  // GNV / GN rounded to DecAve

private:
    colAveItem items_;
    int32_t error_ = 0;
    double gn_ = 0, gnv_ = 0, ave_ = 0;
};

}  // namespace wyndlor
