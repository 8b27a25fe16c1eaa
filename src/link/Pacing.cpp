#include "Pacing.h"

#include <algorithm>
#include <cmath>

namespace {
double rate = 1.0;
}

void Pacing::setTestClockRate(double r)
{
    rate = r > 0 ? r : 1.0;
}

double Pacing::clockRate()
{
    return rate;
}

int Pacing::scaled(double ms)
{
    return std::max(1, static_cast<int>(std::lround(ms / rate)));
}
