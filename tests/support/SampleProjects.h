// Complete projects the tests share, built in code.
#pragma once

#include "calc/ProjectData.h"

#include <cstdint>
#include <string>

namespace wyndlor::test {

// The test pond: a 24-hour rear-peaked Talbot storm (a 5000, b 40, t in
// minutes) on 2 km2 in two sub-catchments (1.5 km2 fp 0.7 C 290 and
// 0.5 km2 fp 0.9 C 190, adopted 2.0 km2, fp 0.75, C 265), margin 20 %, no
// fixed inflow, 12 hours after the rain at a 10-minute step; a
// constant-area pond of 20 000 m2 at FWL 100 m behind a 5 m weir (Cd 1.8).
// Every group is entered.
ProjectData TestPond();

// The test pond made to respond fast against the step: a 72-hour storm with
// a = 6000, a 20 m weir, a 60-minute step (or `deltaT`), no sub-catchment
// rows.  The guideline iteration stops converging on small ponds.
ProjectData StiffPond(double pondArea, int32_t deltaT = 60);

// examples/nishitani-ike.wyd built in code (tp 82.8 minutes; Q1 12.387
// m3/s at its 30-minute step), at the step `deltaT`.
ProjectData NishitaniIke(int32_t deltaT = 30);

// The largest project the dialogs accept: 72 hours of centre-peaked rain,
// 99 hours after it, a 10-minute step (1 026 routing rows), ten
// sub-catchments of 0.35 km2 with names of 20 full-width characters and a
// title of 60, frustums between ten level-area pairs (or the constant-area
// method).  `pondScale` scales the pond's surface areas: below 1 the pond
// responds faster against the step.
ProjectData MaximalProject(bool frustum = true, double pondScale = 1.0);
// Its title and the name of sub-catchment i (1-10).
std::string MaximalTitle();
std::string MaximalName(int32_t i);

}  // namespace wyndlor::test
