#include "forms/SetupCompare.h"

#include <cstdio>

#include "forms/ImageBuilder.h"
#include "forms/Program.h"
#include "forms/SetupFile.h"
#include "forms/RegisterMap.h"
#include "forms/Setupmain.h"

namespace tavro {

EntryFlags visibleEntryFlags(TTavroSetupMain& m) {
    const EntryFlags kept = m.ChangedMask;
    MarkVisibleEntries(m);
    const EntryFlags visible = m.ChangedMask;
    m.ChangedMask = kept;
    return visible;
}

std::vector<EntryDifference> entryDifferences(const ParameterImage& a, const ParameterImage& b, const EntryFlags& which) {
    std::vector<EntryDifference> out;
    for (int k = 0; k < ImageEntryCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (which[i] != 0 && a[i].Value != b[i].Value) out.push_back({k, a[i].address(), a[i].Value, b[i].Value});
    }
    return out;
}

namespace {
std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}
}  // namespace

std::vector<SettingDifference> settingDifferences(const TTavroSetupMain& a, const TTavroSetupMain& b,
                                                  const std::vector<EntryDifference>& entries) {
    std::vector<SettingDifference> out;
    std::vector<int> firsts;  // the setting of each row, by its first entry
    for (const EntryDifference& e : entries) {
        const int first = settingFirstEntry(e.entry);
        std::size_t row = 0;
        while (row < firsts.size() && firsts[row] != first) ++row;
        if (row == firsts.size()) {
            firsts.push_back(first);
            SettingDifference d;
            d.group = std::string(entryGroup(e.entry));
            d.name = std::string(settingName(e.entry));
            // A name or message line is sent padded with blanks: the blanks
            // at its end are no difference and are not shown.
            d.a = withoutTrailingBlanks(settingText(a, e.entry));
            d.b = withoutTrailingBlanks(settingText(b, e.entry));
            // A value the window cannot show (one the processor holds out of
            // its range, say) leaves both sides alike: the values tell them
            // apart.
            if (d.a == d.b) {
                d.a += " (value " + std::to_string(e.a) + ")";
                d.b += " (value " + std::to_string(e.b) + ")";
            }
            out.push_back(std::move(d));
        }
        out[row].entries.push_back(e.entry);
    }
    return out;
}

std::vector<EntryDifference> compareSetups(TTavroSetupMain& a, TTavroSetupMain& b) {
    a.FilterMessageTexts();
    b.FilterMessageTexts();
    BuildImage(a);
    BuildImage(b);
    EntryFlags either = visibleEntryFlags(a);
    const EntryFlags inB = visibleEntryFlags(b);
    for (std::size_t k = 0; k < either.size(); ++k) either[k] = either[k] != 0 || inB[k] != 0 ? 1 : 0;
    return entryDifferences(a.ParameterImage, b.ParameterImage, either);
}

namespace {

// The copy's desktop: nothing is shown, asked or opened.
class NoPort : public SerialPort {
public:
    bool open(const std::string&) override { return false; }
    bool buildLineSettings(const std::string&) override { return false; }
    bool applyLineSettings() override { return false; }
    bool getTimeouts(SerialTimeouts&) override { return false; }
    bool setTimeouts(const SerialTimeouts&) override { return false; }
    bool write(const std::uint8_t*, std::size_t, std::size_t& written) override {
        written = 0;
        return false;
    }
    bool read(std::uint8_t*, std::size_t, std::size_t& received) override {
        received = 0;
        return false;
    }
    void close() override {}
    void sleepMs(int) override {}
};

class NoDesktop : public Host {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    std::optional<std::string> askOpenFile(const FileDialogSetup&) override { return std::nullopt; }
    std::optional<std::string> askSaveFile(const FileDialogSetup&) override { return std::nullopt; }
    ModalResult showModal(Form&) override { return ModalResult::Cancel; }
    bool pictureReadable(const std::string&) override { return false; }
    void processMessages() override {}
    void sleepMs(int) override {}
    bool fileExists(const std::string&) override { return false; }
    void showWindow(Form&) override {}
    void destroyWindow(Form&) override {}
    SerialPort& serialPort() override { return port_; }
    void closeMainWindow() override {}

private:
    NoPort port_;
};

}  // namespace

struct ProcessorView::Copy {
    explicit Copy(const TTavroSetupMain& m)
        : program(desktop, [&m](TTavroSetupMain& w) {
              // The same default setup, read the same way.
              w.StartDirectory = m.StartDirectory;
              w.ReadSetupFileHook = m.ReadSetupFileHook;
          }) {}
    NoDesktop desktop;
    Program program;
};

ProcessorView::ProcessorView(const TTavroSetupMain& m, const ParameterImage& processor, const EntryFlags& read)
    : copy_(std::make_unique<Copy>(m)) {
    TTavroSetupMain& w = copy_->program.main();
    ReadSetupText(w, FormatSetupText(m));
    BuildImage(w);
    for (std::size_t k = 0; k < read.size(); ++k)
        if (read[k] != 0) w.ParameterImage[k].Value = processor[k].Value;
    ApplyImage(w);
}

ProcessorView::~ProcessorView() = default;

const TTavroSetupMain& ProcessorView::setup() const { return copy_->program.main(); }

std::string differenceLine(const SettingDifference& d) { return d.group + " / " + d.name + ": " + d.a + " -> " + d.b; }

std::string rawDifferenceLine(const EntryDifference& d) {
    char line[32];
    std::snprintf(line, sizeof line, "%d %04X %d %d", d.entry, d.address, d.a, d.b);
    return line;
}

std::string verifyMismatchText(const TTavroSetupMain& m, const EntryDifference& d) {
    // The processor's value as the window would show it once downloaded:
    // the setup's own image with that one value read.
    ParameterImage processor = m.ParameterImage;
    processor[static_cast<std::size_t>(d.entry)].Value = d.b;
    EntryFlags read{};
    read[static_cast<std::size_t>(d.entry)] = 1;
    const ProcessorView held(m, processor, read);
    char where[48];
    std::snprintf(where, sizeof where, " (entry %d, address 0x%04X): ", d.entry, d.address);
    return std::string(entryName(d.entry)) + where + "sent " + withoutTrailingBlanks(settingText(m, d.entry)) + " (" +
           std::to_string(d.a) + "), processor holds " + withoutTrailingBlanks(settingText(held.setup(), d.entry)) +
           " (" + std::to_string(d.b) + ")";
}

std::string commDetailText(const TTavroSetupMain& m, const Transfer& t) {
    if (!t.detail().empty()) return t.detail();
    if (t.mismatch()) return verifyMismatchText(m, *t.mismatch());
    return {};
}

}  // namespace tavro
