// The sections of a setup file as one table: per section its header, the
// group box it belongs to, and the functions that read and write its value
// lines. ReadSetupFile and FormatSetupText both walk this table, so a
// section is read exactly when it can be written, and the table's order is
// the order of the sections in a written file.
#pragma once

#include <cstdint>
#include <optional>
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

// The reading of a section's value lines: each section's reader consumes its
// lines by position, checks every value against its range and uses the
// section's fallback for one outside it. The line forms sections share:
class SectionReader {
public:
    SectionReader(TTavroSetupMain& w, files::LineReader& in) : w_(w), in_(in) {}

    // The next value line of the section; an empty line once the content or
    // the section has ended. No value line begins with "[" (no display
    // character is one), so such a line is the next section's header: it
    // ends this section, whose missing lines read as empty ones, and is kept
    // for takeLine.
    std::string next();
    // The next line of free text (the window's caption, the About lines),
    // which may begin with "[": only a line that begins with a section's
    // header ends the section there.
    std::string nextText();
    // The next line between sections, a header that ended a section first.
    std::string takeLine();
    // No line is left, nor a header that ended a section.
    bool atEnd() { return !pendingHeader_ && in_.atEnd(); }
    // The integer at the start of the next line.
    std::int64_t nextInt() { return files::intValue(next()); }
    // A level line into a level list.
    void level(ListBox& list);
    // A distance line, in feet or in metres, into a distance list; a text in
    // neither list selects notFound.
    void distance(ListBox& list, int notFound = 0);
    // A line that checks one of the radio buttons.
    RadioButton& choice(std::span<const RadioChoice> choices);
    // The message text rule: the first n characters, each one the display
    // cannot show replaced by a blank.
    static std::string messageText(const std::string& line, std::size_t n);
    // The highest volume value accepted, for the main and the zone volume.
    std::int64_t volumeTop() const;

private:
    TTavroSetupMain& w_;
    files::LineReader& in_;
    std::optional<std::string> pendingHeader_;
};

inline bool inRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// The writing of a section's value lines, each ended with CR LF.
class SectionWriter {
public:
    SectionWriter(const TTavroSetupMain& w, std::string& out) : w_(w), out_(out) {}

    void line(const std::string& text);
    void lines(std::initializer_list<std::string> texts);
    // The empty line that ends a section.
    void end();
    // The keyword of the checked radio button.
    void choice(std::span<const RadioChoice> choices);
    static std::string num(std::int64_t v) { return std::to_string(v); }

private:
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
    void (*read)(SectionReader& in, TTavroSetupMain& w);
    void (*write)(SectionWriter& out, const TTavroSetupMain& w);
};

// Every section, in the order in which the writer writes them.
std::span<const SetupSection> setupSections();

// The table in four parts, in this order, each defined beside the readers
// and writers of its sections.
std::span<const SetupSection> generalAndAudioSections();  // "[General]" .. "[Phones Volume Offset]"
std::span<const SetupSection> sourceSections();           // "[Modes]" .. "[Balanced Source Settings]"
std::span<const SetupSection> speakerSections();          // "[Speaker Settings]" .. "[Aux Channel Settings]"
std::span<const SetupSection> osdAndPresetSections();     // "[Blueback Video Format]" .. "[Options]"

// The section whose header begins the line, or nullptr (no header begins
// with another, so the order of the test does not matter).
const SetupSection* findSetupSection(std::string_view line);

}  // namespace tavro
