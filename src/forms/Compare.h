// The differences between the setup and what the processor holds, one row
// per setting, after Compare with Processor has read the processor: Upload
// These sends exactly those entries, Close leaves everything as it is.
#pragma once

#include <string>
#include <vector>

#include "forms/Host.h"
#include "forms/SetupCompare.h"

namespace tavro {

class TTavroSetupMain;

class TFormCompare : public Form {
public:
    explicit TFormCompare(TTavroSetupMain& main);

    Label LabelCompare{*this, "LabelCompare", ""};
    Grid GridDifferences{*this, "GridDifferences", {"Setting", "This setup", "Processor"}};
    Button ButtonUploadThese{*this, "ButtonUploadThese", "&Upload These"};
    Button ButtonClose{*this, "ButtonClose", "&Close"};

    // The differences the dialog shows: its rows and the entries behind them.
    // `what` is the side compared with the processor ("setup", "backup"):
    // the first value column is "This setup".
    void setDifferences(std::vector<EntryDifference> entries, std::vector<SettingDifference> settings,
                        const std::string& what = "setup");
    const std::vector<EntryDifference>& entries() const { return entries_; }
    const std::vector<SettingDifference>& settings() const { return settings_; }

private:
    std::vector<EntryDifference> entries_;
    std::vector<SettingDifference> settings_;
};

}  // namespace tavro
