// Building the parameter image from the setup, and the masks of entries,
// both by the rows of the register map.
#include "forms/ImageBuilder.h"
#include "forms/RegisterMap.h"
#include "forms/Setupmain.h"

namespace tavro {

void BuildImage(TTavroSetupMain& m) {
    // Values are computed in integers and stored as their low 8 bits; a row
    // without a value leaves its entry as it is.
    for (const RegisterRow& row : registerMap())
        if (const std::optional<int> value = buildEntry(m, row))
            m.ParameterImage[static_cast<std::size_t>(row.entry)].Value = static_cast<std::uint8_t>(*value);
}

void ClearChanged(TTavroSetupMain& m) { m.ClearChangedMask(); }

void MarkVisibleEntries(TTavroSetupMain& m) {
    m.ChangedMask.fill(0);
    for (const RegisterRow& row : registerMap())
        m.ChangedMask[static_cast<std::size_t>(row.entry)] = entryShown(m, row) ? 1 : 0;
}

void InstallImageSeams(TTavroSetupMain& m) {
    m.BuildImageHook = [](TTavroSetupMain& w) { BuildImage(w); };
}

}  // namespace tavro
