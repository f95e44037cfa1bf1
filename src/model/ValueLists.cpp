#include "model/ValueLists.h"

#include <cctype>
#include <cstdio>

namespace tavro {

namespace {
std::string format(const char* fmt, auto... args) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}
}  // namespace

ItemList LevelItems() {
    ItemList items;
    for (int i = 0; i <= 60; ++i) {
        int tenths = 150 - 5 * i;  // (15 - i/2) dB in tenths
        if (tenths == 0) {
            items.emplace_back("0 dB");
            continue;
        }
        int a = tenths < 0 ? -tenths : tenths;
        items.push_back(format("%c%d.%d dB", tenths > 0 ? '+' : '-', a / 10, a % 10));
    }
    return items;
}

ItemList makeFeetItems() {
    ItemList items;
    for (int i = 0; i < 64; ++i) items.push_back(format("%d ft.", i));
    return items;
}

ItemList makeMeterItems() {
    ItemList items;
    for (int i = 0; i < 64; ++i) {
        // i/3 metres in tenths, rounded half up, in integers so no binary
        // fraction decides a rounding.
        int tenths = (i * 10 * 2 + 3) / 6;
        items.push_back(format("%d.%d m", tenths / 10, tenths % 10));
    }
    return items;
}

ItemList AuxDelayItems() {
    ItemList items;
    for (int i = 0; i <= 160; ++i) items.push_back(format("%d.%d ms", i / 2, (i % 2) * 5));
    return items;
}

ItemList SubFilterItems() {
    ItemList items;
    for (int i = 0; i <= 36; ++i) {
        int hz = 20 + 5 * i;
        items.push_back(hz < 100 ? format("%d Hz", hz) : format("%dHz", hz));
    }
    return items;
}

const ItemList& TriggerDelayItems() {
    static const ItemList items{"No",   "1 s",  "2 s",  "3 s",   "5 s",        "7 s",   "10 s", "15 s",
                                "20 s", "30 s", "45 s", "1 min", "1 min 30 s", "2 min", "3 min"};
    return items;
}

const ItemList& TriggerDurationItems() {
    static const ItemList items{"10 ms", "100 ms", "1 s",  "2 s",   "3 s",        "5 s",   "7 s",   "10 s",    "15 s",
                                "20 s",  "30 s",   "45 s", "1 min", "1 min 30 s", "2 min", "3 min", "Infinity"};
    return items;
}

const ItemList& ColorItems() {
    static const ItemList items{"Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Yellow", "White"};
    return items;
}

const ItemList& frontSizeItems() {
    static const ItemList items{"Small", "Large"};
    return items;
}

const ItemList& speakerSizeItems() {
    static const ItemList items{"No", "Small", "Large"};
    return items;
}

const ItemList& subwooferItems() {
    static const ItemList items{"No", "Yes"};
    return items;
}

const ItemList& toneBassFreqItems() {
    static const ItemList items{"80 Hz", "110 Hz", "140 Hz"};
    return items;
}

const ItemList& toneTrebleFreqItems() {
    static const ItemList items{"6 kHz", "8 kHz", "10 kHz"};
    return items;
}

const ItemList& analogBassItems() {
    static const ItemList items{"All Large", "L&R Large", "All Small"};
    return items;
}

ItemList makeOsdStyleItems() {
    ItemList items{"Factory Default"};
    for (int i = 2; i <= 30; ++i) items.push_back(format("Preset Style %d", i));
    return items;
}

ModelVariant modelVariantFromLine(const std::string& line) {
    auto startsWith = [&](const char* prefix) {
        std::size_t i = 0;
        for (; prefix[i] != '\0'; ++i) {
            if (i >= line.size()) return false;
            if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
                return false;
        }
        return true;
    };
    if (startsWith("R7")) return ModelVariant::R7;
    if (startsWith("4820")) return ModelVariant::M4820;
    return ModelVariant::Tavro;
}

const char* modelVariantName(ModelVariant variant) {
    switch (variant) {
        case ModelVariant::R7: return "R7";
        case ModelVariant::M4820: return "4820";
        case ModelVariant::Tavro: break;
    }
    return "Tavro";
}

}  // namespace tavro
