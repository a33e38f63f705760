#include "calc/clsQi.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"

namespace wyndlor {

void clsQi::Calc() {
    error_ = 0;
    try {
        for (const auto &item : items_) {
            // mm/h x km2 / 3.6 = m3/s
            const double qi = RoundOffChecked(item->r * fp * A / 3.6, DecQi);
            const double qid = RoundOffChecked(qi * Fs + Qfix, DecQid);
            item->Qi = qi;
            item->Qid = qid;
        }
        q1_ = 0;
        for (const auto &item : items_) {
            if (item->Qid > q1_) q1_ = item->Qid;
        }
    } catch (const CalcFailure &f) {
        error_ = f.code;
    }
}

}  // namespace wyndlor
