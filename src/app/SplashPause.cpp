#include "SplashPause.h"

#include <cmath>

double SplashPause::start(double reading)
{
    // nearbyint rounds a half to the even neighbour in the default rounding mode.
    return std::nearbyint(reading);
}

bool SplashPause::over(double start, double now)
{
    double elapsed = now - start;
    // Past midnight the clock reads less than the start by nearly a day.
    if (elapsed < -SecondsPerDay / 2)
        elapsed += SecondsPerDay;
    // The rounded start may lie up to half a second ahead of the first reading; further back means the
    // clock was set back.
    constexpr double roundingSlack = 0.5;
    return elapsed >= Seconds || elapsed < -roundingSlack;
}
