#include "calc/clsAve.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"

namespace wyndlor {

void clsAve::Calc() {
    error_ = 0;
    gn_ = 0;
    gnv_ = 0;
    try {
        for (const auto &item : items_) {
            const double p = RoundOffChecked(item->n * item->V, DecItem);
            gn_ = Chk(gn_ + item->n);
            gnv_ = Chk(gnv_ + p);
            item->NV = p;
        }
        ave_ = RoundOffChecked(Div(gnv_, gn_), DecAve);
    } catch (const CalcFailure &f) {
        error_ = f.code;
    }
}

}  // namespace wyndlor
