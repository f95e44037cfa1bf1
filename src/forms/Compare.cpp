#include "forms/Compare.h"

namespace tavro {

TFormCompare::TFormCompare(TTavroSetupMain&) : Form("FormCompare", "Compare with Processor") {
    // Upload These ends the dialog with OK; Close, the title bar and Escape
    // with Cancel, which changes nothing.
    ButtonUploadThese.onClick = [this] { closeWith(ModalResult::Ok); };
    ButtonClose.onClick = [this] { closeWith(ModalResult::Cancel); };
}

void TFormCompare::setDifferences(std::vector<EntryDifference> entries, std::vector<SettingDifference> settings,
                                  const std::string& what) {
    GridDifferences.setColumns({"Setting", "This " + what, "Processor"});
    entries_ = std::move(entries);
    settings_ = std::move(settings);
    std::vector<std::vector<std::string>> rows;
    for (const SettingDifference& d : settings_) rows.push_back({d.group + " / " + d.name, d.a, d.b});
    GridDifferences.setRows(std::move(rows));
    const std::size_t n = settings_.size();
    LabelCompare.setCaption(n == 0   ? "The processor holds every setting of this " + what + "."
                            : n == 1 ? std::string("1 setting differs from the processor.")
                                     : std::to_string(n) + " settings differ from the processor.");
    ButtonUploadThese.setEnabled(n != 0);
}

}  // namespace tavro
