#include "calc/clsRdata.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"
#include "calc/clsTp.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace wyndlor {

void clsRdata::Calc() {
    error_ = 0;
    try {
        // A step of 0 or less would never reach the end of the rain.
        if (DT <= 0) Fail(err::InvalidCall);
        const int32_t N = Lng(TH * 60.0);  // duration, minutes

        // Step intensities for the durations DT, 2 DT, ... up to N; a
        // remainder shorter than one step carries no rain.
        //
        // The cumulative depth n x r is formed from r already rounded to
        // three places, so for many steps its rounding error (k x 0.0005)
        // outgrows the true increment of a long, flat tail and it can fall
        // by a few thousandths.  Rain is never negative: a cumulative value
        // below the previous one is taken (used and printed) as the
        // previous one, so that step carries no rain and the steps still
        // sum to the last cumulative value.
        int64_t t = 0;
        double prevNr = 0;
        for (int32_t k = 1;; ++k) {
            t += DT;
            if (t > N) break;
            double r = RainIntensity(Siki, Unit, A, b, n, static_cast<double>(t));
            double nr = Chk(k * r);
            r = RoundOffChecked(r, DecR);
            nr = RoundOffChecked(nr, DecnRn);
            if (k > 1 && nr < prevNr) nr = prevNr;
            prevNr = nr;
            in_.Add(static_cast<int32_t>(t), r, nr);
            if (t >= N) break;
        }

        // Increments: the mean intensity of each single step.
        double prev = 0;
        for (const auto &item : in_) {
            item->i = RoundOffChecked(item->nr - prev, DecIn);
            prev = item->nr;
        }

        // Arrangement: rear-peaked puts each later (smaller) increment in
        // front, so the largest comes last; centre-peaked alternates the
        // sides (odd steps in front, even ones behind), so the largest
        // stands in the middle.  The order is built first and appended
        // once, rather than inserting at the front step by step.
        const int32_t K = in_.Count();
        std::vector<int32_t> order;
        order.reserve(static_cast<size_t>(K));
        if (Pattern == 0) {
            for (int32_t k = K; k >= 1; --k) order.push_back(k);
        } else {
            for (int32_t k = (K % 2 == 1 ? K : K - 1); k >= 3; k -= 2) order.push_back(k);
            if (K >= 1) order.push_back(1);
            for (int32_t k = 2; k <= K; k += 2) order.push_back(k);
        }
        arranged_.Reserve(arranged_.Count() + K);
        for (int32_t k : order) arranged_.Add(DT, in_.Item(k)->i);

        // Times of the arranged steps, the last one limited to the duration.
        int32_t prevEnd = 0;
        int32_t j = 0;
        for (const auto &item : arranged_) {
            ++j;
            const int64_t te64 = static_cast<int64_t>(j) * DT;
            const int32_t te = static_cast<int32_t>(te64 < N ? te64 : N);
            item->t = te;
            SplitHourMinute(prevEnd, item->tshh, item->tsmm);
            SplitHourMinute(te, item->tehh, item->temm);
            prevEnd = te;
        }
    } catch (const CalcFailure &f) {
        error_ = f.code;
    }
}

}  // namespace wyndlor
