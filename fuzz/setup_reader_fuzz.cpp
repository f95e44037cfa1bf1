// Fuzz target of the setup reader.
//
// Each input is the content of a "Default.dfg" that a fresh main window reads
// in its creation step, exactly as the program starts. Beyond the
// sanitizers' findings it checks what must hold for any input:
//   - a content whose first line is not "//Setup" changes nothing;
//   - a read ends with every ChangedMask entry cleared;
//   - what the writer writes is read back as a setup, and after one
//     round (which settles values that only the order of sections in a
//     hand-made file can produce) writing, reading and writing again gives
//     the same bytes;
//   - rewriting the options of the content as the close does never adds
//     lines when repeated and always leaves the current options in it.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "ScriptedHost.h"
#include "forms/SetupFile.h"
#include "files/TextForm.h"
#include "forms/Setupmain.h"

namespace {

using namespace tavro;

struct Started {
    std::unique_ptr<TTavroSetupMain> window;
    ReadResult result = ReadResult::Ok;
};

Started startWith(Host& host, std::string_view content) {
    Started s;
    s.window = std::make_unique<TTavroSetupMain>(host);
    s.window->ReadSetupFileHook = [&s, content](TTavroSetupMain& w, const std::string&) {
        s.result = ReadSetupText(w, content);
        return s.result;
    };
    s.window->FormCreate();
    return s;
}

void check(bool condition) {
    if (!condition) std::abort();
}

bool allClear(const EntryFlags& mask) {
    for (std::uint8_t f : mask)
        if (f != 0) return false;
    return true;
}

const std::string& untouchedSetup(Host& host) {
    static const std::string text = [&host] {
        TTavroSetupMain w(host);
        w.FormCreate();
        return FormatSetupText(w);
    }();
    return text;
}

void checkOptionsRewrite(std::string_view content, const TTavroSetupMain& w) {
    const std::string once = ReplaceOptionsBlock(content, w);
    const std::string twice = ReplaceOptionsBlock(once, w);
    // The rewrite copies a Ctrl-Z and what follows it: its lines run to the
    // last byte.
    const auto lines1 = files::splitLines(once, false);
    const auto lines2 = files::splitLines(twice, false);
    check(lines2.size() <= lines1.size());
    check(twice == once);  // a second close with the same options changes no byte
    std::size_t i = 0;
    while (i < lines2.size() && !files::beginsWith(lines2[i], "[Options]")) ++i;
    check(i + 3 < lines2.size());
    check(lines2[i + 1] == "COM" + std::to_string(w.Opts.ComPort));
    check(lines2[i + 2] == (w.Opts.AutoVerify == 1 ? "Verify On" : "Verify Off"));
    check(lines2[i + 3] == (w.Opts.ConfirmDiscard == 1 ? "Confirm" : "No Confirmation"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::ScriptedHost host;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    Started a = startWith(host, content);
    check(a.result == ReadResult::Ok || a.result == ReadResult::NotASetup);
    check(allClear(a.window->ChangedMask));
    if (a.result == ReadResult::NotASetup) {
        check(FormatSetupText(*a.window) == untouchedSetup(host));
        return 0;
    }
    checkOptionsRewrite(content, *a.window);

    const std::string w1 = FormatSetupText(*a.window);
    Started b = startWith(host, w1);
    check(b.result == ReadResult::Ok);
    const std::string w2 = FormatSetupText(*b.window);
    if (w2 == w1) return 0;  // reading w2 would repeat reading w1 exactly
    Started c = startWith(host, w2);
    check(c.result == ReadResult::Ok);
    check(FormatSetupText(*c.window) == w2);
    return 0;
}
