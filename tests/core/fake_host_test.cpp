// The scripted host of the tests answers only what a test queued: anything
// else fails the test, and is answered No or Cancel so that the test runs on.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "FakeHost.h"

namespace tavro::test {
namespace {

TEST(FakeHost, AnUnscriptedQuestionOrFileDialogFailsTheTestAndIsDeclined) {
    FakeHost host;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = host.confirm("Discard Changes?"), "unscripted question \"Discard Changes?\"");
    EXPECT_FALSE(answer);
    EXPECT_EQ(host.questions, std::vector<std::string>{"Discard Changes?"});

    std::optional<std::string> file = "x";
    EXPECT_NONFATAL_FAILURE(file = host.askOpenFile(FileDialogSetup{"Open...", "", "", ""}),
                            "unscripted open file dialog \"Open...\"");
    EXPECT_EQ(file, std::nullopt);
    file = "x";
    EXPECT_NONFATAL_FAILURE(file = host.askSaveFile(FileDialogSetup{"Save As", "", "", ""}),
                            "unscripted save file dialog \"Save As\"");
    EXPECT_EQ(file, std::nullopt);
}

}  // namespace
}  // namespace tavro::test
