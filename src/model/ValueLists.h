// The shared item lists of the setup's drop-down lists, and the model variant.
#pragma once

#include <string>
#include <vector>

namespace tavro {

using ItemList = std::vector<std::string>;

// 61 level steps from "+15.0 dB" down to "-15.0 dB"; index 30 is "0 dB".
ItemList LevelItems();
// 64 distances, i feet: "0 ft." .. "63 ft.". The window builds its
// FeetItems and MeterItems from these at creation and releases them at close.
ItemList makeFeetItems();
// The same 64 steps in metres, i/3 m rounded half up: "0.0 m" .. "21.0 m".
ItemList makeMeterItems();
// 161 channel 9/10 delays, "0.0 ms" .. "80.0 ms" in half milliseconds.
ItemList AuxDelayItems();
// 37 subwoofer crossover frequencies, "20 Hz" .. "95 Hz", "100Hz" .. "200Hz".
ItemList SubFilterItems();
const ItemList& TriggerDelayItems();
const ItemList& TriggerDurationItems();
const ItemList& ColorItems();

const ItemList& frontSizeItems();     // "Small", "Large"
const ItemList& speakerSizeItems();   // "No", "Small", "Large"
const ItemList& subwooferItems();     // "No", "Yes"
// Item indexes of the size lists.
inline constexpr int SizeNo = 0;      // "No" in the three-item size lists and the subwoofer list
inline constexpr int SizeSmall = 1;   // "Small" in the three-item size lists
inline constexpr int FrontSmall = 0;  // "Small" in the front size lists
inline constexpr int FrontLarge = 1;  // "Large" in the front size lists
inline constexpr int SubYes = 1;      // "Yes" in the subwoofer list
const ItemList& toneBassFreqItems();  // "80 Hz", "110 Hz", "140 Hz"
const ItemList& toneTrebleFreqItems();
const ItemList& analogBassItems();
// "Factory Default", "Preset Style 2" .. "Preset Style 30".
ItemList makeOsdStyleItems();

// The processor model a setup is for.
enum class ModelVariant { Tavro = 0, R7 = 1, M4820 = 2 };

// The top position of the 4820's main and zone volume bars, above the base
// model's.
inline constexpr int VolumeTop4820 = 28;

// The model line of a setup file: "R7" or "4820" at its start, in any
// letter case; anything else is the base model.
ModelVariant modelVariantFromLine(const std::string& line);
const char* modelVariantName(ModelVariant variant);

}  // namespace tavro
