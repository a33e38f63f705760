// Decimal rounding of every engine result.
#pragma once

#include <cstdint>

namespace wyndlor {

// Rounds half away from zero to `places` decimals (0 or more), with an upward
// nudge of 0.00001 of the last kept unit so that a value held just below a
// half in binary (2.675 is 2.67499...) still rounds up: 2.675 -> 2.68.
// Values below 1 / 10^(places+1) in magnitude give 0.
// Sets `error` to err::Overflow when value * 10^places is not finite, and
// returns 0 then; `error` is left alone on success.
double RoundOff(double value, int32_t places, int32_t &error);

// As above for callers that know the value is finite and moderate; an
// overflow gives 0.
double RoundOff(double value, int32_t places);

// Hours and minutes of a time in minutes: hours = floor(x / 60),
// minutes = x - 60 hours.
void SplitHourMinute(int32_t minutes, int32_t &hours, int32_t &mins);

}  // namespace wyndlor
