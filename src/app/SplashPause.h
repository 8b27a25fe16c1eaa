#pragma once

// The splash window's pause, read off a clock of the time of day in seconds since midnight.
namespace SplashPause {

inline constexpr double Seconds = 5;
inline constexpr double SecondsPerDay = 86400;

// The start of the pause: the clock's first reading rounded to whole seconds, a half to the even one.
double start(double reading);

// Whether the pause that started at `start` is over at the clock reading `now`. The clock starts again from
// 0 at midnight, so a pause begun in the last seconds of the day ends about five seconds later, in the new
// day. A clock set back (by hand or by a change of summer time) ends the pause rather than holding the
// screen until the old time comes round again.
bool over(double start, double now);

} // namespace SplashPause
