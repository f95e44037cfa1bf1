// Colours of the OSD preview: the factory colour lists and the fixed styles.
#pragma once

#include <cstdint>

namespace tavro {

using RgbValue = std::int32_t;

// Item index of the colour lists: Black, Blue, Green, Cyan, Red, Magenta,
// Yellow, White.
RgbValue fullColor(int item);       // background and error colours
RgbValue characterColor(int item);  // text colours are pale tints

struct StyleColors {
    RgbValue background;
    RgbValue error;
    RgbValue characters;
};

// The fixed colours of "Preset Style 2" .. "Preset Style 30", style item
// 1..29. Item 0 uses the factory colours instead.
StyleColors presetStyleColors(int styleItem);

}  // namespace tavro
