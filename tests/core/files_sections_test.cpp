// The table of the setup file's sections: for every section a changed
// setting written and read back alone gives the same setup again, and the
// reader takes every section the writer writes, in any order, showing the
// section's group box (and only when the section is there).
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "MainFixture.h"
#include "files/TextForm.h"
#include "files_support.h"
#include "forms/SetupSections.h"

using namespace tavro;
using namespace tavro::test;

namespace {

const std::string ShippedDefault = "defaults/Tavro.dfg";

// A program of its own, started on the shipped default setup or on none.
struct Window {
    explicit Window(bool withDefault) {
        host.readablePictures = {"logo.bmp"};
        program = std::make_unique<Program>(host, [withDefault](TTavroSetupMain& w) {
            if (withDefault)
                w.ReadSetupFileHook = [](TTavroSetupMain& m, const std::string&) {
                    return ReadSetupFile(m, sourcePath(ShippedDefault));
                };
            else
                w.ReadSetupFileHook = {};
        });
    }
    TTavroSetupMain& m() { return program->main(); }

    FakeHost host;
    std::unique_ptr<Program> program;
};

struct Section {
    std::string header;
    std::string text;  // the header, the value lines and the empty line that ends it, CR LF
};

// The sections of a written text, split at the lines that are headers.
std::vector<Section> sectionsOf(const std::string& written) {
    std::vector<Section> out;
    for (const std::string& line : files::splitLines(written)) {
        if (const SetupSection* s = findSetupSection(line); s != nullptr && line == s->header)
            out.push_back({line, ""});
        if (!out.empty()) out.back().text += line + "\r\n";
    }
    return out;
}

std::string sectionText(const std::string& written, const std::string& header) {
    for (const Section& s : sectionsOf(written))
        if (s.header == header) return s.text;
    return "";
}

using Change = std::function<void(TTavroSetupMain&)>;

// One edit per section that changes what the section writes, made the way
// the window's own rules would leave the setup.
const std::map<std::string, Change>& changes() {
    static const std::map<std::string, Change> table{
        {"[General]",
         [](TTavroSetupMain& w) {
             w.setCaption("Living Room");
             w.AboutLine1 = "Rack 2";
         }},
        {"[Messages]", [](TTavroSetupMain& w) { w.EditShutdown1.setText("GOOD NIGHT"); }},
        {"[Distance Units]",
         [](TTavroSetupMain& w) {
             w.RBMeters.setChecked(true);
             w.RBFeet.setChecked(false);
             w.ApplyDistanceUnit(false);
         }},
        {"[General Audio Settings]", [](TTavroSetupMain& w) { w.SBBass.setPosition(5); }},
        {"[Tone Filters]", [](TTavroSetupMain& w) { w.CBToneTFreq.setItemIndex(0); }},
        {"[LFE Level]", [](TTavroSetupMain& w) { w.SBLFELevel.setPosition(-7); }},
        {"[Analog Bass Management]", [](TTavroSetupMain& w) { w.CBAnalogBassMg.setItemIndex(2); }},
        {"[DPL II/DTS Settings]", [](TTavroSetupMain& w) { w.Dpl.Dimension = 6; }},
        {"[THX Ultra2 Settings]", [](TTavroSetupMain& w) { w.Thx.LimiterLevel = 33; }},
        {"[Reverb Wetness]", [](TTavroSetupMain& w) { w.RBWet3.setChecked(true); }},
        {"[Phones Volume Offset]", [](TTavroSetupMain& w) { w.SBPhones.setPosition(7); }},
        {"[Modes]",
         [](TTavroSetupMain& w) {
             w.Modes.ModeAvailable[ModeMusic1 + 2] = 1;
             w.Modes.MusicModeNames[2] = "Late Jazz";
         }},
        {"[Sources]", [](TTavroSetupMain& w) { w.Sources[1].Sensitivity = 12; }},
        {"[Zone Settings]", [](TTavroSetupMain& w) { w.SBZoneVolume.setPosition(-25); }},
        {"[Balanced Source Settings]",
         [](TTavroSetupMain& w) { (w.RBThroughDSP.checked() ? w.RBBypassDSP : w.RBThroughDSP).setChecked(true); }},
        {"[Speaker Settings]", [](TTavroSetupMain& w) { w.CBCenterL.setItemIndex(20); }},
        {"[Back Speaker Settings]", [](TTavroSetupMain& w) { w.CBRightBL.setItemIndex(41); }},
        {"[Aux Channel Settings]", [](TTavroSetupMain& w) { w.AuxChannels[0].Mix[2] = -40; }},
        {"[Blueback Video Format]",
         [](TTavroSetupMain& w) { (w.RBPAL.checked() ? w.RBNTSC : w.RBPAL).setChecked(true); }},
        {"[OSD Setup Mode]",
         [](TTavroSetupMain& w) { (w.RBBlueback.checked() ? w.RBSuperimpose : w.RBBlueback).setChecked(true); }},
        {"[Temporary Display]",
         [](TTavroSetupMain& w) { (w.RBTempSimple.checked() ? w.RBTempFull : w.RBTempSimple).setChecked(true); }},
        {"[OSD Input Select]",
         [](TTavroSetupMain& w) {
             (w.RBOSDInputSvideo.checked() ? w.RBOSDInputCs : w.RBOSDInputSvideo).setChecked(true);
         }},
        {"[OSD Output Routing]",
         [](TTavroSetupMain& w) {
             (w.RBOSDOutputSvideo.checked() ? w.RBOSDOutputCs : w.RBOSDOutputSvideo).setChecked(true);
         }},
        {"[Factory Default Color Settings]", [](TTavroSetupMain& w) { w.CBErrorColor.userSelect(3); }},
        {"[OSD Style]", [](TTavroSetupMain& w) { w.CBOSDStyle.userSelect(4); }},
        {"[Trigger 1]", [](TTavroSetupMain& w) { w.CB1Duration.setItemIndex(5); }},
        {"[Trigger 2]", [](TTavroSetupMain& w) { w.CB2Duration.setItemIndex(7); }},
        {"[Preset 1]", [](TTavroSetupMain& w) { w.Presets[0].Lipsync = 41; }},
        {"[Preset 2]", [](TTavroSetupMain& w) { w.Presets[1].Center = 3; }},
        {"[Preset 3]", [](TTavroSetupMain& w) { w.Presets[2].Bass = 20; }},
        {"[Preset 4]", [](TTavroSetupMain& w) { w.Presets[3].Treble = 1; }},
        {"[Preset 5]", [](TTavroSetupMain& w) { w.Presets[4].Lipsync = 150; }},
        {"[Options]", [](TTavroSetupMain& w) { w.Opts.ComPort = 3; }},
    };
    return table;
}

}  // namespace

TEST(SetupSections, EverySectionWrittenAndReadBackAloneGivesTheSameSetup) {
    for (const SetupSection& section : setupSections()) {
        SCOPED_TRACE(section.header);
        const auto change = changes().find(section.header);
        ASSERT_NE(change, changes().end()) << "no change for this section";

        // One program changes the setting and writes the setup.
        Window a(true);
        const std::string before = FormatSetupText(a.m());
        change->second(a.m());
        const std::string written = FormatSetupText(a.m());
        ASSERT_NE(sectionText(written, section.header), sectionText(before, section.header))
            << "the change does not show in the section";

        // Another, on the same default, reads that section alone and writes
        // the same setup.
        Window b(true);
        ASSERT_EQ(FormatSetupText(b.m()), before);
        ASSERT_EQ(ReadSetupText(b.m(), "//Setup\r\n" + sectionText(written, section.header)), ReadResult::Ok);
        EXPECT_EQ(FormatSetupText(b.m()), written);
    }
    // A change for a header the table does not have is a section lost.
    for (const auto& [header, change] : changes())
        EXPECT_NE(findSetupSection(header), nullptr) << header << " is not a section";
}

TEST(SetupSections, TheReaderTakesEverySectionTheWriterWritesInReverseOrder) {
    Window shipped(true);
    const std::string written = FormatSetupText(shipped.m());
    std::vector<Section> sections = sectionsOf(written);
    ASSERT_EQ(sections.size(), setupSections().size()) << "a shipped default holds every section";

    std::reverse(sections.begin(), sections.end());
    std::string reversed = "//Setup\r\n\r\n";
    for (const Section& s : sections) reversed += s.text;

    // A window that read nothing yet has every group box hidden.
    Window bare(false);
    ASSERT_EQ(ReadSetupText(bare.m(), reversed), ReadResult::Ok);
    for (const SetupSection& s : setupSections()) {
        if (s.group != nullptr) {
            EXPECT_TRUE((bare.m().*s.group).visible()) << s.header;
        }
    }

    std::vector<std::string> headers, rewritten;
    for (const Section& s : sectionsOf(written)) headers.push_back(s.header);
    for (const Section& s : sectionsOf(FormatSetupText(bare.m()))) rewritten.push_back(s.header);
    EXPECT_EQ(rewritten, headers);
}

TEST(SetupSections, AGroupBoxStaysHiddenWhenItsSectionIsMissing) {
    Window shipped(true);
    const std::vector<Section> sections = sectionsOf(FormatSetupText(shipped.m()));
    for (const SetupSection& left : setupSections()) {
        if (left.group == nullptr || left.onRead == GroupOnRead::Keeps) continue;
        SCOPED_TRACE(left.header);
        std::string text = "//Setup\r\n\r\n";
        for (const Section& s : sections)
            if (s.header != left.header) text += s.text;

        Window bare(false);
        ASSERT_EQ(ReadSetupText(bare.m(), text), ReadResult::Ok);
        EXPECT_FALSE((bare.m().*left.group).visible());
        EXPECT_EQ(sectionText(FormatSetupText(bare.m()), left.header), "");
        // Every other section's group box is shown.
        for (const SetupSection& other : setupSections()) {
            if (other.group != nullptr && other.group != left.group) {
                EXPECT_TRUE((bare.m().*other.group).visible()) << other.header;
            }
        }
    }
}

// A hand-edited section that lacks its last value line ends at the next
// header: its missing line reads as an empty one, and the next section is
// read whole, so the setup is the one that an empty last line gives.
TEST(SetupSections, ASectionShortOfALineEndsAtTheNextHeader) {
    Window shipped(true);
    const std::vector<Section> sections = sectionsOf(FormatSetupText(shipped.m()));
    for (std::size_t cut = 0; cut + 1 < sections.size(); ++cut) {
        std::vector<std::string> lines = files::splitLines(sections[cut].text);
        if (lines.size() < 3) continue;  // the header and the empty line only
        SCOPED_TRACE(sections[cut].header);
        std::string shortOfALine = "//Setup\r\n\r\n", emptyLastLine = shortOfALine;
        for (std::size_t i = 0; i < sections.size(); ++i) {
            if (i != cut) {
                shortOfALine += sections[i].text;
                emptyLastLine += sections[i].text;
                continue;
            }
            for (std::size_t l = 0; l + 2 < lines.size(); ++l) shortOfALine += lines[l] + "\r\n";
            lines[lines.size() - 2].clear();
            for (const std::string& l : lines) emptyLastLine += l + "\r\n";
        }
        Window cutShort(false), emptied(false);
        ASSERT_EQ(ReadSetupText(cutShort.m(), shortOfALine), ReadResult::Ok);
        ASSERT_EQ(ReadSetupText(emptied.m(), emptyLastLine), ReadResult::Ok);
        EXPECT_EQ(FormatSetupText(cutShort.m()), FormatSetupText(emptied.m()));
        if (const SetupSection* next = findSetupSection(sections[cut + 1].header); next->group != nullptr) {
            EXPECT_TRUE((cutShort.m().*next->group).visible()) << next->header;
        }
    }
}
