// The sections of a setup file as one table: per section its header, the
// group box it belongs to, and the functions that read and write its value
// lines. ReadSetupFile and FormatSetupText both walk this table, so a
// section is read exactly when it can be written, and the table's order is
// the order of the sections in a written file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/TextForm.h"
#include "forms/Setupmain.h"

namespace tavro {

// A line that names one radio button of a group by its keyword. The reader
// checks the first button whose keyword begins the line, else the last one;
// the writer writes the keyword of the first checked button, else the last.
struct RadioChoice {
    RadioButton TTavroSetupMain::*button;
    const char* keyword;
};

// Reads the value lines of one section into the window: each function
// consumes its section's lines by position, checks every value against its
// range and uses the section's fallback for one outside it.
class SectionReader {
public:
    SectionReader(TTavroSetupMain& w, files::LineReader& in) : w_(w), in_(in) {}

    void general();
    void messages();
    void distanceUnits();
    void generalAudio();
    void toneFilters();
    void lfeLevel();
    void analogBass();
    void dpl();
    void thx();
    void reverb();
    void phones();
    void modes();
    void sources();
    void zone();
    void balanced();
    void speakers();
    void backSpeakers();
    void auxChannels();
    void videoFormat();
    void setupMode();
    void temporaryDisplay();
    void osdInput();
    void osdOutput();
    void factoryColors();
    void osdStyle();
    template <int N>
    void trigger() {
        trigger(N);
    }
    template <int N>
    void preset() {
        preset(N);
    }
    void options();

private:
    std::string next() { return in_.next(); }
    std::int64_t nextInt() { return files::intValue(next()); }
    static bool inRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

    void level(ListBox& list);
    void distance(ListBox& list, int notFound = 0);
    RadioButton& choice(std::span<const RadioChoice> choices);
    // The message text rule: the first n characters, each one the display
    // cannot show replaced by a blank.
    static std::string messageText(const std::string& line, std::size_t n);
    // The highest volume value accepted, for the main and the zone volume.
    std::int64_t volumeTop() const;

    void sourceBlock(int n, Button& button);
    void oneBackSpeakerCaptions();
    void auxChannel(AuxMixFilter& rec, ListBox& levelList, ListBox& delayList);
    void trigger(int n);
    void preset(int n);

    TTavroSetupMain& w_;
    files::LineReader& in_;
};

// Writes the value lines of one section, each ended with CR LF.
class SectionWriter {
public:
    SectionWriter(const TTavroSetupMain& w, std::string& out) : w_(w), out_(out) {}

    void line(const std::string& text);
    // The empty line that ends a section.
    void end();

    void general();
    void messages();
    void distanceUnits();
    void generalAudio();
    void toneFilters();
    void lfeLevel();
    void analogBass();
    void dpl();
    void thx();
    void reverb();
    void phones();
    void modes();
    void sources();
    void zone();
    void balanced();
    void speakers();
    void backSpeakers();
    void auxChannels();
    void videoFormat();
    void setupMode();
    void temporaryDisplay();
    void osdInput();
    void osdOutput();
    void factoryColors();
    void osdStyle();
    template <int N>
    void trigger() {
        trigger(N);
    }
    template <int N>
    void preset() {
        preset(N);
    }
    void options();

private:
    static std::string num(std::int64_t v) { return std::to_string(v); }
    void lines(std::initializer_list<std::string> texts);
    void choice(std::span<const RadioChoice> choices);

    void auxChannel(const AuxMixFilter& rec, const ListBox& levelList, const ListBox& delayList);
    void trigger(int n);
    void preset(int n);

    const TTavroSetupMain& w_;
    std::string& out_;
};

// What reading a section does to its group box.
enum class GroupOnRead {
    Shows,    // shows it, before the section's lines are read
    Keeps,    // leaves it as it is
    Decides,  // the section's reader shows or hides it from what it reads
};

struct SetupSection {
    const char* header;
    // Written only while this group box is shown; nullptr: always written.
    GroupBox TTavroSetupMain::*group;
    GroupOnRead onRead;
    void (SectionReader::*read)();
    void (SectionWriter::*write)();
};

// Every section, in the order in which the writer writes them.
std::span<const SetupSection> setupSections();

// The section whose header begins the line, or nullptr (no header begins
// with another, so the order of the test does not matter).
const SetupSection* findSetupSection(std::string_view line);

}  // namespace tavro
