#pragma once
// The colours of a pie's wedges: hues spread evenly round the colour wheel and dealt out so that
// wedges side by side, the last and the first included, stand far apart.

#include <QColor>
#include <vector>

// Count colours for Count wedges in their order round the pie. Side by side, hues lie at least
// 60 degrees apart once there are three wedges or more (two get opposite hues), and
// neighbours differ in lightness as well where their number allows.
std::vector<QColor> WedgeColors(int count);
