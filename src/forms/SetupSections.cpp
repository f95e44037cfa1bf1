// The table of the setup file's sections, assembled from its parts in the
// order of a written file, and the line forms the sections share.
#include "forms/SetupSections.h"

#include <vector>

#include "model/DisplayCharacters.h"

namespace tavro {

using namespace files;

// Three dependencies make the order of the parts, and of the sections in
// them, the order to keep: "[General]" sets the model that the volume,
// source and zone checks use; "[Sources]" rebuilds the lists that "[Zone
// Settings]" and "[Balanced Source Settings]" select in; "[Distance Units]"
// switches the distance lists before the speaker sections select in them.
std::span<const SetupSection> setupSections() {
    static const std::vector<SetupSection> table = [] {
        std::vector<SetupSection> all;
        for (std::span<const SetupSection> part :
             {generalAndAudioSections(), sourceSections(), speakerSections(), osdAndPresetSections()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return table;
}

const SetupSection* findSetupSection(std::string_view line) {
    for (const SetupSection& s : setupSections())
        if (beginsWith(line, s.header)) return &s;
    return nullptr;
}

// ---- line forms shared by the sections

std::string SectionReader::next() {
    if (pendingHeader_) return {};
    std::string line = in_.next();
    if (!beginsWith(line, "[")) return line;
    pendingHeader_ = std::move(line);
    return {};
}

std::string SectionReader::nextText() {
    if (pendingHeader_) return {};
    std::string line = in_.next();
    if (findSetupSection(line) == nullptr) return line;
    pendingHeader_ = std::move(line);
    return {};
}

std::string SectionReader::takeLine() {
    if (!pendingHeader_) return in_.next();
    std::string header = std::move(*pendingHeader_);
    pendingHeader_.reset();
    return header;
}

void SectionReader::level(ListBox& list) { list.setItemIndex(levelIndexFromLine(next())); }

void SectionReader::distance(ListBox& list, int notFound) {
    const std::string line = next();
    int i = findItem(w_.FeetItems, line);
    if (i < 0) i = findItem(w_.MeterItems, line);
    list.setItemIndex(i >= 0 ? i : notFound);
}

RadioButton& SectionReader::choice(std::span<const RadioChoice> choices) {
    const std::string line = next();
    const RadioChoice* chosen = &choices.back();
    for (const RadioChoice& c : choices.first(choices.size() - 1))
        if (beginsWith(line, c.keyword)) {
            chosen = &c;
            break;
        }
    RadioButton& button = w_.*chosen->button;
    button.setChecked(true);
    return button;
}

std::string SectionReader::messageText(const std::string& line, std::size_t n) {
    return filterDisplayText(line.substr(0, n));
}

// -20, and 8 for the 4820 (its top position 28 written as 8).
std::int64_t SectionReader::volumeTop() const { return w_.ModelVariant == tavro::ModelVariant::M4820 ? 8 : -20; }

void SectionWriter::line(const std::string& text) {
    out_ += text;
    out_ += LineEnd;
}

void SectionWriter::end() { out_ += LineEnd; }

void SectionWriter::lines(std::initializer_list<std::string> texts) {
    for (const std::string& l : texts) line(l);
}

void SectionWriter::choice(std::span<const RadioChoice> choices) {
    for (const RadioChoice& c : choices.first(choices.size() - 1))
        if ((w_.*c.button).checked()) return line(c.keyword);
    line(choices.back().keyword);
}

}  // namespace tavro
