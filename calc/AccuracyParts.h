// The parts of the accuracy check that judge one routing, each criterion
// with its remedy in a file of its own; CheckRouting runs them in order.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/CRefRouting.h"

namespace wyndlor {

// The routing against its reference (RoutingCriterion.cpp): routes the
// reference into `ref`, fills the reference values, the design flood water
// levels and the reasons NonConverged, Depth and Discharge.  False when
// the reference could not be computed (its failure in check.error).
bool JudgeRoutingAgainstReference(const CQo &routed, const AccuracyOptions &options, CRefRouting &ref,
                                  AccuracyCheck &check);

// The data (DataCriteria.cpp): the start offset and the reasons Start,
// AboveCrest, AboveTable and NoReference.  `ref` is the reference routed
// by JudgeRoutingAgainstReference, null when it could not be computed.
void JudgeData(const CQo &routed, const CRefRouting *ref, AccuracyCheck &check);

}  // namespace wyndlor
