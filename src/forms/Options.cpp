#include "forms/Options.h"

#include <algorithm>
#include <map>

#include "forms/Sercomm.h"
#include "forms/Setupmain.h"
#include "link/PortNames.h"

namespace tavro {

TFormOptions::TFormOptions(TTavroSetupMain& main) : Form("FormOptions", "Options"), main_(main) {
    RBCom1.setChecked(true);
    CBVerifyOn.setChecked(true);
    CBConfirm.setChecked(true);
    CBBackup.setChecked(true);
    for (int n = 1; n <= 4; ++n) deviceList(n).onChange = [this, n] { CBComDeviceChange(n); };
    ButtonOptionsOk.onClick = [this] { ButtonOptionsOkClick(); };
    ButtonOptionsCancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

ListBox& TFormOptions::deviceList(int n) {
    ListBox* lists[] = {&CBCom1Device, &CBCom2Device, &CBCom3Device, &CBCom4Device};
    return *lists[n - 1];
}

void TFormOptions::FormShow() {
    switch (main_.Opts.ComPort) {
        case 4: RBCom4.setChecked(true); break;
        case 3: RBCom3.setChecked(true); break;
        case 2: RBCom2.setChecked(true); break;
        default: RBCom1.setChecked(true); break;
    }
    CBVerifyOn.setChecked(main_.Opts.AutoVerify != 0);
    CBConfirm.setChecked(main_.Opts.ConfirmDiscard != 0);
    CBBackup.setChecked(backsUpBeforeUpload(main_));
    // Where each COM number leads on this computer, and what else is there.
    const PortMap& ports = portMap();
    const std::vector<std::string> present = ports.devices();
    const std::string problem = ports.configProblem();
    fileNote_ = problem.empty()
                    ? problem
                    : "The saved devices in " + ports.configFile().string() + " are ignored: " + problem + ".";
    for (int n = 1; n <= 4; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const PortResolution r = ports.resolve(n);
        std::vector<std::string>& devices = devices_[i];
        devices = present;
        if (std::find(devices.begin(), devices.end(), r.device) == devices.end())
            devices.insert(devices.begin(), r.device);
        std::vector<std::string> items;
        for (const std::string& d : devices)
            items.push_back(deviceDisplayName(d) + (devicePresent(d, present) ? "" : " (not present)"));
        ListBox& list = deviceList(n);
        list.setItems(std::move(items));
        list.setItemIndex(static_cast<int>(std::find(devices.begin(), devices.end(), r.device) - devices.begin()));
        list.setEnabled(r.source != PortSource::Environment);
        picked_[i] = false;
        if (r.source == PortSource::Environment)
            notes_[i] = portName(n) + " is set by TAVRO_" + portName(n) + ".";
        else if (!r.missing.empty())
            notes_[i] = portName(n) + ": " + deviceDisplayName(r.missing) + " is not present; " +
                        deviceDisplayName(r.device) + " is used instead.";
        else
            notes_[i].clear();
    }
    showNotes();
}

// The COM numbers whose lists show one device, as the lists stand now:
// "COM1 and COM3 open the same device: /dev/ttyUSB0."
std::vector<std::string> TFormOptions::sharedDeviceNotes() {
    std::vector<std::string> notes;
    std::array<bool, 4> told{};
    for (int n = 1; n <= 4; ++n) {
        const std::string device = shownDevice(n);
        if (told[static_cast<std::size_t>(n - 1)] || device.empty()) continue;
        std::vector<int> sharing{n};
        for (int other = n + 1; other <= 4; ++other)
            if (shownDevice(other) == device) {
                sharing.push_back(other);
                told[static_cast<std::size_t>(other - 1)] = true;
            }
        if (sharing.size() < 2) continue;
        std::string names;
        for (std::size_t k = 0; k < sharing.size(); ++k)
            names += (k == 0 ? "" : k + 1 == sharing.size() ? " and " : ", ") + portName(sharing[k]);
        notes.push_back(names + " open the same device: " + deviceDisplayName(device) + ".");
    }
    return notes;
}

std::string TFormOptions::shownDevice(int n) {
    const std::vector<std::string>& devices = devices_[static_cast<std::size_t>(n - 1)];
    const int index = deviceList(n).itemIndex();
    return index >= 0 && static_cast<std::size_t>(index) < devices.size() ? devices[static_cast<std::size_t>(index)]
                                                                          : std::string();
}

void TFormOptions::showNotes() {
    std::string text = fileNote_;
    std::vector<std::string> notes(notes_.begin(), notes_.end());
    for (std::string& note : sharedDeviceNotes()) notes.push_back(std::move(note));
    for (const std::string& note : notes)
        if (!note.empty()) text += (text.empty() ? "" : "\n") + note;
    LabelComNote.setCaption(text);
    // Without a note the dialog closes up under its buttons.
    LabelComNote.setVisible(!text.empty());
}

void TFormOptions::CBComDeviceChange(int n) {
    const auto i = static_cast<std::size_t>(n - 1);
    picked_[i] = true;
    notes_[i].clear();
    showNotes();
}

void TFormOptions::ButtonOptionsOkClick() {
    main_.Opts.ComPort = RBCom1.checked() ? 1 : RBCom2.checked() ? 2 : RBCom3.checked() ? 3 : 4;
    main_.Opts.AutoVerify = CBVerifyOn.checked() ? 1 : 0;
    main_.Opts.ConfirmDiscard = CBConfirm.checked() ? 1 : 0;
    // Only the devices the user picked are stored: a saved device that is
    // unplugged right now stays the choice for when it comes back.
    std::map<int, std::string> choices;
    for (int n = 1; n <= 4; ++n)
        if (const std::string device = shownDevice(n); picked_[static_cast<std::size_t>(n - 1)] && !device.empty())
            choices[n] = device;
    if (!choices.empty() && !portMap().saveChoices(choices))
        main_.host().showError("Unable to save the serial devices in " + portMap().configFile().string() + ".");
    // Stored only when changed: the choice counts for this run either way.
    const bool backup = CBBackup.checked();
    if (backup != backsUpBeforeUpload(main_)) {
        main_.BackupBeforeUpload = backup;
        if (backup != portMap().backupBeforeUpload() && !portMap().saveBackupBeforeUpload(backup))
            main_.host().showError("Unable to save the backup choice in " + portMap().configFile().string() + ".");
    }
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
