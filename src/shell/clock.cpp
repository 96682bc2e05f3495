#include "shell/clock.h"

#include <cmath>
#include <ctime>

#include "core/dates.h"

namespace veltrano {

double Clock::today() const {
    return std::floor(now());
}

double SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace veltrano
