// tavro-bench-history: times the window's Undo and Redo and measures what a
// step keeps, headless, on a default setup (the base model's shipped one
// unless a file is given). It makes a run of edits of every kind the
// history records (list picks, check boxes, a scroll bar, the distance
// unit, which replaces the items of eight lists, File New), undoes them all
// and redoes them all; it prints "<what> <count> <mean ms> <max ms>" for
// Undo and Redo and "step-memory <steps> <mean bytes> <max bytes>".
//   tavro-bench-history [DEFAULT-SETUP]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "forms/Program.h"

using namespace tavro;

namespace {

struct Times {
    std::vector<double> ms;
    void print(const char* what) const {
        double sum = 0, most = 0;
        for (double t : ms) {
            sum += t;
            most = std::max(most, t);
        }
        std::printf("%s %zu %.3f %.3f\n", what, ms.size(), ms.empty() ? 0.0 : sum / ms.size(), most);
    }
};

template <class F>
double timed(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string setup = argc > 1 ? argv[1] : std::string(TAVRO_SOURCE_DIR) + "/defaults/Tavro.dfg";
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tavro-bench-history";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(setup, dir / "Default.dfg", std::filesystem::copy_options::overwrite_existing);

    test::ScriptedHost host;
    Program program(host, [&](TTavroSetupMain& w) { w.StartDirectory = dir.string(); });
    TTavroSetupMain& w = program.main();
    w.FormShow();
    auto clock = EditHistory::Clock::now();
    w.History.now = [&] { return clock; };

    ListBox* lists[] = {&w.CBCenterL, &w.CBLeftL, &w.CBSubL, &w.CBCenterS, &w.CBLeftSS};
    for (int round = 0; round < 40; ++round) {
        for (ListBox* l : lists)
            if (l->count() > 1) w.userEdit(*l, [&] { l->userSelect((l->itemIndex() + 1) % l->count()); });
        w.userEdit(w.CheckBoxSkipWelcome, [&] { w.CheckBoxSkipWelcome.userClick(); });
        w.userEdit(w.SBBass, [&] { w.SBBass.userSetPosition(w.SBBass.position() == 3 ? -3 : 3); });
        clock += std::chrono::seconds(2);
        RadioButton& unit = w.RBFeet.checked() ? w.RBMeters : w.RBFeet;
        w.userEdit(unit, [&] { unit.userClick(); });
        if (round % 10 == 9) {
            if (w.FileSave.enabled() && w.Opts.ConfirmDiscard == 1) host.answers.push_back(true);
            w.userEdit(w.FileNew, [&] { w.FileNew.userClick(); });
        }
    }

    Times undo, redo;
    while (w.History.canUndo()) undo.ms.push_back(timed([&] { w.History.undo(); }));
    while (w.History.canRedo()) redo.ms.push_back(timed([&] { w.History.redo(); }));
    undo.print("undo");
    redo.print("redo");

    std::size_t total = 0, most = 0;
    for (const HistoryStep& s : w.History.steps()) {
        total += s.memoryUse();
        most = std::max(most, s.memoryUse());
    }
    const std::size_t steps = w.History.steps().size();
    std::printf("step-memory %zu %zu %zu\n", steps, steps == 0 ? 0 : total / steps, most);
    std::filesystem::remove_all(dir);
    return 0;
}
