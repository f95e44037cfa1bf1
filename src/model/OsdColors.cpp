#include "model/OsdColors.h"

#include <array>

namespace tavro {

namespace {
enum { Black, Blue, Green, Cyan, Red, Magenta, Yellow, White };

constexpr std::array<RgbValue, 8> Full{0x000000, 0x0000FF, 0x00CC00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr std::array<RgbValue, 8> Tint{0x000000, 0xDCDCFF, 0xDCFFDC, 0xB4FFFF, 0xFFD0D0, 0xFFC0FF, 0xFFFFB4, 0xFFFFFF};

struct StyleItems {
    int background, error, characters;
};

constexpr std::array<StyleItems, 29> Styles{{
    {Blue, Red, White},      {Blue, Red, Yellow},     {Blue, Red, Blue},      {Blue, Red, Cyan},
    {Blue, Red, Red},        {Blue, Red, Magenta},    {Black, Red, White},    {Black, Red, Yellow},
    {Black, Red, Blue},      {Black, Red, Green},     {Black, Red, Cyan},     {Black, Red, Red},
    {Black, Red, Magenta},   {Red, Black, White},     {Red, Magenta, Yellow}, {Red, Magenta, Red},
    {Red, Blue, White},      {Magenta, Red, White},   {Magenta, Red, Yellow}, {Magenta, Red, Blue},
    {Magenta, Red, Red},     {Green, Red, White},     {Green, Red, Yellow},   {Green, Red, Blue},
    {Green, Red, Green},     {Green, Red, Cyan},      {Green, Red, Red},      {Green, Red, Magenta},
    {Green, Blue, White},
}};

int clampItem(int item) { return item < 0 ? 0 : (item > 7 ? 7 : item); }
}  // namespace

RgbValue fullColor(int item) { return Full[static_cast<std::size_t>(clampItem(item))]; }
RgbValue characterColor(int item) { return Tint[static_cast<std::size_t>(clampItem(item))]; }

StyleColors presetStyleColors(int styleItem) {
    if (styleItem < 1 || styleItem > 29) styleItem = 1;
    const StyleItems& s = Styles[static_cast<std::size_t>(styleItem - 1)];
    return {Full[static_cast<std::size_t>(s.background)], Full[static_cast<std::size_t>(s.error)],
            Tint[static_cast<std::size_t>(s.characters)]};
}

}  // namespace tavro
