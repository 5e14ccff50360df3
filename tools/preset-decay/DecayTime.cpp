#include "DecayTime.h"

#include <cmath>

double DecayTimeT20(const std::vector<double>& energy, double sampleRate) {
    std::vector<double> remaining(energy.size());
    double sum = 0.0;
    for (size_t i = energy.size(); i-- > 0;) {
        sum += energy[i];
        remaining[i] = sum;
    }
    if (sum <= 0.0 || sampleRate <= 0.0) return -1.0;

    // Least-squares slope of level over time within the fitting range.
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    bool reachedBottom = false;
    for (size_t i = 0; i < remaining.size(); ++i) {
        const double level = 10.0 * std::log10(remaining[i] / sum);
        if (level > -5.0) continue;
        if (level < -25.0) {
            reachedBottom = true;
            break;
        }
        const double t = static_cast<double>(i) / sampleRate;
        n += 1;
        sx += t;
        sy += level;
        sxx += t * t;
        sxy += t * level;
    }
    const double spread = n * sxx - sx * sx;
    if (!reachedBottom || n < 2 || spread <= 0.0) return -1.0;
    const double slope = (n * sxy - sx * sy) / spread;  // dB per second, negative
    return slope < 0.0 ? -60.0 / slope : -1.0;
}
