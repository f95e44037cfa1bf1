// Between the setup and the parameter image: building the image from the
// setup, choosing the entries that belong to the visible part of the setup,
// and applying an image read from the processor back to the setup.
#pragma once

namespace tavro {

class TTavroSetupMain;

// Fills the image's values from the main window's controls and records.
// Entries 4 and 39 are never written, per-source entries only for sources
// 1..SourceCount, the digital inputs only while the setup declares any;
// an entry whose rule has no value for the current setting keeps its value.
// The ChangedMask is not touched.
void BuildImage(TTavroSetupMain& m);

// Replaces the whole ChangedMask by the entries of the visible part of the
// setup: each entry is flagged when the control that shows its setting is
// visible. Entries 4 and 39 are never flagged.
void MarkVisibleEntries(TTavroSetupMain& m);

// Clears all 395 ChangedMask flags.
void ClearChanged(TTavroSetupMain& m);

// Turns the image as read from the processor back into the setup: every
// entry whose value lies in its accepted range sets its control or record,
// the dependent lists, labels and enabling follow as the window's own rules
// make them, and finally the ChangedMask is cleared. The image is written
// only where a volume above the model's top is clamped.
void ApplyImage(TTavroSetupMain& m);

// Installs the image seams of the main window: the creation step builds the
// image from the default setup.
void InstallImageSeams(TTavroSetupMain& m);

}  // namespace tavro
