#include "chart/wedge_colors.h"

#include <numeric>

namespace {

// The step through Count evenly spaced hues that keeps neighbours furthest apart: the one
// nearest half the wheel that still visits every hue once before coming back.
int HueStep(int count) {
    for (int step = count / 2; step > 1; --step) {
        if (std::gcd(step, count) == 1) return step;
    }
    return 1;
}

}  // namespace

std::vector<QColor> WedgeColors(int count) {
    std::vector<QColor> colors;
    const int step = HueStep(count);
    for (int i = 0; i < count; ++i) {
        const int hue = (i * step % count) * 360 / count;
        // Alternate lightness; an odd count would end where it starts, so its last stays mid.
        const bool last = count % 2 == 1 && i == count - 1 && count > 1;
        const int value = last ? 205 : (i % 2 == 0 ? 235 : 175);
        colors.push_back(QColor::fromHsv(hue, 170, value));
    }
    return colors;
}
