#include "WheelStep.h"

long long AcceleratedWheelDelta(int wheelDelta, int now, int& lastWheelTime) {
    long long steps = wheelDelta / 120;
    if (steps == 0) steps = wheelDelta > 0 ? 1 : -1;
    int elapsed = now - lastWheelTime;
    if (elapsed < 1) elapsed = 1;
    lastWheelTime = now;
    int acceleration = 500 / elapsed;
    if (acceleration < 1) acceleration = 1;
    return (steps < 0 ? -steps : steps) * steps * acceleration;
}
