// The speaker rules after a setup has been read (File New, File Open): the
// back-speaker row, the THX button and the remembered Enhanced Bass state
// come out as the rules leave them, whatever the window showed before.
#include <filesystem>
#include <map>

#include "MainFixture.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class SpeakerAfterRead : public MainFixture {
protected:
    std::string shipped;  // the shipped default setup's text

    void SetUp() override {
        shipped = readBytes(sourcePath("defaults/Tavro.dfg"));
        startShownOnShippedDefault();
        if (HasFatalFailure()) return;
    }

    // The shipped default with each `from` replaced by its `to`.
    std::string edited(std::initializer_list<std::pair<const char*, const char*>> edits) const {
        std::string text = shipped;
        for (const auto& [from, to] : edits) {
            const std::size_t at = text.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) text.replace(at, std::string(from).size(), to);
        }
        return text;
    }
    // The shipped default without the section that starts with `header`.
    std::string without(const std::string& header) const {
        std::string text = shipped;
        const std::size_t at = text.find(header);
        const std::size_t next = text.find("\r\n[", at + header.size());
        text.erase(at, next + 2 - at);
        return text;
    }
    // File Open of a file with this text.
    void open(const std::string& text) {
        const std::string path = scratchDir() + "/edited.sfg";
        writeBytes(path, text);
        host.openAnswers.push_back(path);
        host.answers = {true};
        m().FileOpenClick();
        ASSERT_TRUE(host.messages.empty());
    }
};

}  // namespace

// The shipped default has two small back speakers. Whatever the user did to
// the back row before, File New brings it back with every control of it
// enabled.
TEST_F(SpeakerAfterRead, FileNewEnablesTheWholeBackRowAgain) {
    struct Case {
        const char* what;
        ListBox TTavroSetupMain::*list;
    };
    const Case cases[] = {
        {"back size No", &TTavroSetupMain::CBLeftBS},
        {"surrounds No", &TTavroSetupMain::CBLeftSS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (m().*c.list).userSelect(0);
        ASSERT_FALSE(m().CheckBoxRBack.enabled());
        host.answers = {true};
        m().FileNewClick();
        EXPECT_EQ(m().CBLeftBS.text(), "Small");
        EXPECT_TRUE(m().CheckBoxRBack.checked());
        for (Control* ctl : std::initializer_list<Control*>{&m().CBLeftBS, &m().LabelLBack, &m().CBLeftBL, &m().CBLeftBD,
                                                            &m().CheckBoxRBack, &m().CBRightBS, &m().CBRightBL,
                                                            &m().CBRightBD})
            EXPECT_TRUE(ctl->enabled()) << ctl->name();
    }
}

// A setup without a subwoofer and with one back speaker leaves the THX
// button disabled, one with two back speakers enables it.
TEST_F(SpeakerAfterRead, TheThxButtonFollowsTheSetupRead) {
    ASSERT_TRUE(m().ButtonTHXUltra.enabled());
    open(edited({{"\r\nYes\r\n2.5\r\n10 ft.\r\n", "\r\nNo\r\n"},
                 {"[Back Speaker Settings]\r\n2\r\nSmall\r\n-1.0\r\n-1.0\r\n6 ft.\r\n6 ft.\r\n",
                  "[Back Speaker Settings]\r\n1\r\nSmall\r\n-1.0\r\n6 ft.\r\n"}}));
    ASSERT_EQ(m().CBSubS.text(), "No");
    ASSERT_FALSE(m().CheckBoxRBack.checked());
    EXPECT_FALSE(m().ButtonTHXUltra.enabled());

    open(edited({{"\r\nYes\r\n2.5\r\n10 ft.\r\n", "\r\nNo\r\n"}}));
    ASSERT_TRUE(m().CheckBoxRBack.checked());
    EXPECT_TRUE(m().ButtonTHXUltra.enabled());

    // One back speaker already, with a subwoofer: the read that takes the
    // subwoofer away changes no check box, and still the button follows.
    const std::pair<const char*, const char*> oneBack = {
        "[Back Speaker Settings]\r\n2\r\nSmall\r\n-1.0\r\n-1.0\r\n6 ft.\r\n6 ft.\r\n",
        "[Back Speaker Settings]\r\n1\r\nSmall\r\n-1.0\r\n6 ft.\r\n"};
    open(edited({oneBack}));
    ASSERT_FALSE(m().CheckBoxRBack.checked());
    ASSERT_TRUE(m().ButtonTHXUltra.enabled());
    open(edited({{"\r\nYes\r\n2.5\r\n10 ft.\r\n", "\r\nNo\r\n"}, oneBack}));
    ASSERT_EQ(m().CBSubS.text(), "No");
    EXPECT_FALSE(m().ButtonTHXUltra.enabled());
}

// While the subwoofer is "No" the remembered Enhanced Bass state survives a
// read that does not say anything about it; a read whose speaker settings
// give it replaces it.
TEST_F(SpeakerAfterRead, TheRememberedEnhancedBassSurvivesAReadWithoutSpeakerSettings) {
    m().CheckBoxEnhancedBass.userClick();
    ASSERT_TRUE(m().CheckBoxEnhancedBass.checked());
    m().CBSubS.userSelect(0);
    ASSERT_FALSE(m().CheckBoxEnhancedBass.checked());

    open(without("[Speaker Settings]"));
    EXPECT_FALSE(m().CheckBoxEnhancedBass.enabled());
    m().CBSubS.userSelect(1);
    EXPECT_TRUE(m().CheckBoxEnhancedBass.checked());

    // The file's subwoofer "No" with "Enhanced On" is remembered as on,
    // with "Enhanced Off" as off.
    for (const char* line : {"Enhanced On", "Enhanced Off"}) {
        open(edited({{"\r\nYes\r\n2.5\r\n10 ft.\r\n", "\r\nNo\r\n"}, {"Enhanced Off", line}}));
        EXPECT_FALSE(m().CheckBoxEnhancedBass.enabled());
        m().CBSubS.userSelect(1);
        EXPECT_EQ(m().CheckBoxEnhancedBass.checked(), std::string(line) == "Enhanced On") << line;
    }
}
