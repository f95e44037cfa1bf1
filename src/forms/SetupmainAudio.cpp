// Audio value labels, zone and balanced-input lists and their handlers.
#include <string>

#include "forms/Setupmain.h"

namespace tavro {

namespace {
std::string signedDb(const char* prefix, int p) {
    return std::string(prefix) + (p > 0 ? "+" : "") + std::to_string(p) + " dB";
}
}  // namespace

void TTavroSetupMain::WriteValueLabels() {
    const int v = SBVolume.position();
    const int z = SBZoneVolume.position();
    if (ModelVariant == tavro::ModelVariant::M4820) {
        // The first four volume steps count by two, every further one by one.
        int n = v <= -67 ? 2 * (v + 70) : v + 74;
        LabelVolume.setCaption("Volume: " + std::to_string(n));
        LabelZoneVolume.setCaption("Zone Volume: " + std::to_string(z + 70));
    } else {
        LabelVolume.setCaption("Volume: " + std::to_string(v - 20) + " dB");
        LabelZoneVolume.setCaption("Zone Volume: " + std::to_string(z - 20) + " dB");
    }
    LabelBass.setCaption(signedDb("Bass: ", SBBass.position()));
    LabelTreble.setCaption(signedDb("Treble: ", SBTreble.position()));
    LabelPhones.setCaption(signedDb("Offset: ", SBPhones.position()));
    LabelLFELevel.setCaption("Level: " + std::to_string(SBLFELevel.position()) + " dB");
}

void TTavroSetupMain::SBVolumeChange() {
    MarkChanged({22});
    WriteValueLabels();
}
void TTavroSetupMain::SBBassChange() {
    MarkChanged({77});
    WriteValueLabels();
}
void TTavroSetupMain::SBTrebleChange() {
    MarkChanged({78});
    WriteValueLabels();
}
void TTavroSetupMain::SBPhonesChange() {
    MarkChanged({41});
    WriteValueLabels();
}
void TTavroSetupMain::SBLFELevelChange() {
    MarkChanged({17});
    WriteValueLabels();
}
void TTavroSetupMain::SBZoneVolumeChange() {
    MarkChanged({75});
    WriteValueLabels();
}


void TTavroSetupMain::CBBalancedSourceChange() {
    MarkChanged({0});
    ApplyBalancedRoutingRule();
}

void TTavroSetupMain::ApplyBalancedRoutingRule() {
    bool on = CBBalancedSource.itemIndex() != 0;
    LabelBalRouting.setEnabled(on);
    RBBypassDSP.setEnabled(on);
    RBThroughDSP.setEnabled(on);
}


ItemList TTavroSetupMain::balancedSourceItems() const {
    ItemList items{"Off"};
    for (std::string& name : sourceNames(SourceCount)) items.push_back(std::move(name));
    return items;
}

int TTavroSetupMain::zoneSourceCount() const { return ModelVariant == tavro::ModelVariant::Tavro ? SourceCount : 6; }

void TTavroSetupMain::RebuildZoneAndBalancedLists() {
    const int inUse = SourceCount;
    const int zoneCount = zoneSourceCount();

    int zone = CBZoneSource.itemIndex();
    if (zone < 0 || zone >= inUse) zone = 0;  // a source no longer in use falls back to the first item
    CBZoneSource.setItems(sourceNames(zoneCount));
    CBZoneSource.setItemIndex(zone);

    int balanced = CBBalancedSource.itemIndex();
    if (balanced > inUse || balanced < 0) balanced = 0;
    CBBalancedSource.setItems(balancedSourceItems());
    CBBalancedSource.setItemIndex(balanced);
}

void TTavroSetupMain::RefillSourceLists(std::optional<int> zoneItems) {
    CBZoneSource.replaceItems(sourceNames(zoneItems.value_or(CBZoneSource.count())));
    if (CBZoneSource.itemIndex() < 0) CBZoneSource.setItemIndex(0);
    CBBalancedSource.replaceItems(balancedSourceItems());
    RebuildTriggerLists();
}

}  // namespace tavro
