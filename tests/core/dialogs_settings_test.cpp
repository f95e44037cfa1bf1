// The Pro Logic II / Neo:6 and THX Ultra2 dialogs, Options, About and the
// start-up picture.
#include "FakeSerialDevices.h"
#include "MainFixture.h"
#include "PipeWatch.h"
#include "forms/Dialogs.h"
#include "forms/Sercomm.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class SettingsDialogs : public MainFixture {
protected:
    void SetUp() override {
        startAndShow();
        showAllGroups();
        m().Modes.ModeAvailable[ModeDplIIMusic] = 1;
        m().RefreshAfterLoad();
    }
    Dialogs& d() { return *m().dialogs(); }

    // Opens a dialog through its button or menu command, lets `user` act,
    // then presses OK or Cancel.
    template <class F, class Opener>
    void run(Opener& opener, F& form, const std::function<void(F&)>& user, Button& close) {
        host.onModal = [&](Form&) {
            if (user) user(form);
            close.userClick();
            return form.modalResult();
        };
        opener.userClick();
    }
};

}  // namespace

TEST_F(SettingsDialogs, DplValueLabels) {
    TFormDPLII& f = *d().FormDPLII;
    struct Case {
        int width, dimension, image;
        const char *w, *dm, *im;
    };
    const Case cases[] = {
        {1, 1, 1, "Width: Min", "Dimension: -3", "Center Image: Min"},
        {8, 7, 6, "Width: Max", "Dimension: +3", "Center Image: Max"},
        {4, 4, 5, "Width: 3", "Dimension: 0", "Center Image: 4"},
        {2, 5, 2, "Width: 1", "Dimension: +1", "Center Image: 1"},
    };
    for (const Case& c : cases) {
        m().Dpl.CenterWidth = static_cast<std::uint8_t>(c.width);
        m().Dpl.Dimension = static_cast<std::uint8_t>(c.dimension);
        m().Dpl.CenterImage = static_cast<std::uint8_t>(c.image);
        run<TFormDPLII>(m().ButtonDPLII, f, [&](TFormDPLII& dlg) {
            EXPECT_EQ(dlg.LabelWidth.caption(), c.w);
            EXPECT_EQ(dlg.LabelDimension.caption(), c.dm);
            EXPECT_EQ(dlg.LabelCGain.caption(), c.im);
        }, f.ButtonDPLIICancel);
    }
    // Moving the bar writes the label too.
    run<TFormDPLII>(m().ButtonDPLII, f, [](TFormDPLII& dlg) {
        dlg.SBCGain.userSetPosition(6);
        EXPECT_EQ(dlg.LabelCGain.caption(), "Center Image: Max");
    }, f.ButtonDPLIIOk);
    EXPECT_EQ(m().Dpl.CenterImage, 6);
    EXPECT_EQ(marked(), std::set<int>{391});
}

TEST_F(SettingsDialogs, DplWithoutSurroundsResetsPanoramaEvenWhenCancelled) {
    TFormDPLII& f = *d().FormDPLII;
    m().Dpl.Panorama = 1;
    m().CBLeftSS.userSelect(0);
    m().ClearChangedMask();
    m().FileSave.setEnabled(false);
    run<TFormDPLII>(m().ButtonDPLII, f, [](TFormDPLII& dlg) {
        EXPECT_TRUE(dlg.RBPanoramaOff.checked());
        for (Control* c : std::initializer_list<Control*>{&dlg.RBPanoramaOn, &dlg.RBPanoramaOff, &dlg.SBDimension,
                                                          &dlg.LabelDimension, &dlg.LabelDDMin, &dlg.LabelDDMax})
            EXPECT_FALSE(c->enabled()) << c->name();
        EXPECT_TRUE(dlg.SBWidth.enabled());
    }, f.ButtonDPLIICancel);
    EXPECT_EQ(m().Dpl.Panorama, 0);
    EXPECT_EQ(marked(), std::set<int>{43});
    EXPECT_FALSE(m().FileSave.enabled());
}

TEST_F(SettingsDialogs, DplWithoutCenterKeepsWidthAndImage) {
    TFormDPLII& f = *d().FormDPLII;
    m().CBCenterS.userSelect(0);
    m().Dpl.CenterWidth = 6;
    m().Dpl.CenterImage = 3;
    m().ClearChangedMask();
    run<TFormDPLII>(m().ButtonDPLII, f, [](TFormDPLII& dlg) {
        for (Control* c : std::initializer_list<Control*>{&dlg.SBWidth, &dlg.LabelWidth, &dlg.LabelCWMin, &dlg.LabelCWMax,
                                                          &dlg.SBCGain, &dlg.LabelCGain, &dlg.LabelCGMin, &dlg.LabelCGMax})
            EXPECT_FALSE(c->enabled()) << c->name();
        dlg.RBPanoramaOn.userClick();
        dlg.SBDimension.userSetPosition(6);
    }, f.ButtonDPLIIOk);
    EXPECT_EQ(m().Dpl.CenterWidth, 6);
    EXPECT_EQ(m().Dpl.CenterImage, 3);
    EXPECT_EQ(m().Dpl.Panorama, 1);
    EXPECT_EQ(m().Dpl.Dimension, 6);
    EXPECT_EQ(marked(), (std::set<int>{43, 45}));
}

TEST_F(SettingsDialogs, ThxWithoutSubwoofer) {
    TFormTHXUltra2& f = *d().FormTHXUltra2;
    m().CheckBoxRBack.setChecked(true);  // keeps the THX button enabled
    m().CBSubS.userSelect(0);
    m().Thx.Ultra2Sub = 1;
    m().Thx.BoundaryGain = 1;
    m().ClearChangedMask();
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_TRUE(dlg.RBNoUltra2Sub.checked());
        EXPECT_FALSE(dlg.RBNoUltra2Sub.enabled());
        EXPECT_FALSE(dlg.RBUltra2Sub.enabled());
        EXPECT_FALSE(dlg.CBBoundary.enabled());
        EXPECT_TRUE(dlg.CheckBoxBassLimiter.enabled());
    }, f.Ultra2Ok);
    EXPECT_EQ(m().Thx.Ultra2Sub, 0);
    EXPECT_EQ(m().Thx.BoundaryGain, 0);
    EXPECT_TRUE(marked().empty());
}

TEST_F(SettingsDialogs, ThxSubwooferTurnsTheLimiterOff) {
    TFormTHXUltra2& f = *d().FormTHXUltra2;
    m().Thx.LimiterOn = 1;
    m().Thx.LimiterLevel = 20;
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_TRUE(dlg.CheckBoxBassLimiter.checked());
        EXPECT_TRUE(dlg.CBBassLimiter.enabled());
        EXPECT_EQ(dlg.CBBassLimiter.text(), "-20 dB");
        dlg.RBUltra2Sub.userClick();
        EXPECT_FALSE(dlg.CheckBoxBassLimiter.checked());
        EXPECT_FALSE(dlg.CheckBoxBassLimiter.enabled());
        EXPECT_FALSE(dlg.CBBassLimiter.enabled());
        EXPECT_TRUE(dlg.CBBoundary.enabled());
    }, f.Ultra2Ok);
    EXPECT_EQ(m().Thx.Ultra2Sub, 1);
    EXPECT_EQ(m().Thx.LimiterOn, 0);
    EXPECT_EQ(m().Thx.LimiterLevel, 20);
    EXPECT_EQ(marked(), (std::set<int>{2, 3, 49}));
}

TEST_F(SettingsDialogs, ThxAsaNeedsTwoBackSpeakers) {
    TFormTHXUltra2& f = *d().FormTHXUltra2;
    m().Thx.AsaPosition = 0;
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_TRUE(dlg.RBASAApart.checked());
        EXPECT_FALSE(dlg.RBASAApart.enabled());
        EXPECT_FALSE(dlg.LabelASA.enabled());
        EXPECT_EQ(dlg.CBBassLimiter.text(), "-50 dB");
        EXPECT_FALSE(dlg.CBBassLimiter.enabled());
    }, f.Ultra2Ok);
    EXPECT_EQ(m().Thx.AsaPosition, 2);
    EXPECT_TRUE(marked().empty());

    m().CBLeftBS.userSelect(1);
    m().CheckBoxRBack.userClick();
    m().ClearChangedMask();
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_TRUE(dlg.RBASAClose.enabled());
        dlg.RBASATogether.userClick();
    }, f.Ultra2Ok);
    EXPECT_EQ(m().Thx.AsaPosition, 0);
    EXPECT_EQ(marked(), std::set<int>{48});
}

TEST_F(SettingsDialogs, ThxAsaCaptionsFollowTheDistanceUnit) {
    TFormTHXUltra2& f = *d().FormTHXUltra2;
    m().RBMeters.userClick();
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_EQ(dlg.RBASAApart.caption(), "Apart (> 1.2 m)");
        EXPECT_EQ(dlg.RBASAClose.caption(), "Close (0.3 - 1.2 m)");
        EXPECT_EQ(dlg.RBASATogether.caption(), "Together (< 0.3 m)");
    }, f.Ultra2Cancel);
    m().RBFeet.userClick();
    run<TFormTHXUltra2>(m().ButtonTHXUltra, f, [](TFormTHXUltra2& dlg) {
        EXPECT_EQ(dlg.RBASAApart.caption(), "Apart (> 4 ft.)");
        EXPECT_EQ(dlg.RBASAClose.caption(), "Close (1 - 4 ft.)");
        EXPECT_EQ(dlg.RBASATogether.caption(), "Together (< 1 ft.)");
    }, f.Ultra2Cancel);
}

TEST_F(SettingsDialogs, OptionsChangeNeitherMaskNorSave) {
    TFormOptions& f = *d().FormOptions;
    m().Opts.ComPort = 3;
    run<TFormOptions>(m().FileOptions, f, [](TFormOptions& dlg) {
        EXPECT_TRUE(dlg.RBCom3.checked());
        EXPECT_FALSE(dlg.CBVerifyOn.checked());
        EXPECT_TRUE(dlg.CBConfirm.checked());
        EXPECT_FALSE(dlg.CBCom3Device.text().empty());
        dlg.RBCom4.userClick();
    }, f.ButtonOptionsCancel);
    EXPECT_EQ(m().Opts.ComPort, 3);

    run<TFormOptions>(m().FileOptions, f, [](TFormOptions& dlg) {
        dlg.RBCom4.userClick();
        dlg.CBVerifyOn.userClick();
        dlg.CBConfirm.userClick();
    }, f.ButtonOptionsOk);
    EXPECT_EQ(m().Opts.ComPort, 4);
    EXPECT_EQ(m().Opts.AutoVerify, 1);
    EXPECT_EQ(m().Opts.ConfirmDiscard, 0);
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().FileSave.enabled());
}

TEST_F(SettingsDialogs, OptionsPickTheDeviceOfEachComPortAndOkStoresIt) {
    FakeSerialDevices ports;
    const std::string adapter = ports.plugById("usb-Maker_Adapter_A1-if00-port0", "ttyUSB0");
    const std::string s0 = ports.plug("ttyS0"), s1 = ports.plug("ttyS1");
    TFormOptions& f = *d().FormOptions;
    host.errors.clear();  // the start-up's own (no logo.bmp here)
    // Nothing saved and one adapter plugged in: every COM port leads to it.
    run<TFormOptions>(m().FileOptions, f, [&](TFormOptions& dlg) {
        for (ListBox* list : {&dlg.CBCom1Device, &dlg.CBCom2Device, &dlg.CBCom3Device, &dlg.CBCom4Device}) {
            EXPECT_EQ(list->items(), (std::vector<std::string>{"usb-Maker_Adapter_A1-if00-port0", s0, s1}));
            EXPECT_EQ(list->itemIndex(), 0);
            EXPECT_TRUE(list->enabled());
        }
        EXPECT_EQ(dlg.LabelComNote.caption(),
                  "COM1, COM2, COM3 and COM4 open the same device: usb-Maker_Adapter_A1-if00-port0.");
        dlg.CBCom2Device.userSelect(2);
    }, f.ButtonOptionsCancel);
    EXPECT_FALSE(std::filesystem::exists(ports.config));
    EXPECT_EQ(portDevice(2), adapter);

    run<TFormOptions>(m().FileOptions, f, [](TFormOptions& dlg) { dlg.CBCom2Device.userSelect(2); }, f.ButtonOptionsOk);
    EXPECT_EQ(portDevice(2), s1);
    EXPECT_EQ(ports.map.savedChoice(1), std::nullopt);  // not picked: stays as it was
    EXPECT_EQ(portDevice(1), adapter);
    run<TFormOptions>(m().FileOptions, f, [&](TFormOptions& dlg) {
        EXPECT_EQ(dlg.CBCom2Device.text(), s1);
        EXPECT_EQ(dlg.CBCom1Device.text(), "usb-Maker_Adapter_A1-if00-port0");
    }, f.ButtonOptionsCancel);
    EXPECT_TRUE(host.errors.empty());

    // A choice that cannot be stored is reported; the other options are kept.
    std::filesystem::remove_all(ports.root / "config");
    std::ofstream(ports.root / "config") << "not a folder";
    run<TFormOptions>(m().FileOptions, f, [](TFormOptions& dlg) {
        dlg.RBCom3.userClick();
        dlg.CBCom3Device.userSelect(1);
    }, f.ButtonOptionsOk);
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Unable to save the serial devices in " + ports.config.string() + "."}));
    EXPECT_EQ(m().Opts.ComPort, 3);
    EXPECT_TRUE(marked().empty());
}

TEST_F(SettingsDialogs, OptionsKeepTheBackupSwitchPerUserBesideTheDevices) {
    FakeSerialDevices ports;
    ASSERT_TRUE(ports.map.saveChoices({{2, "/dev/ttyS1"}}));
    TFormOptions& f = *d().FormOptions;
    host.errors.clear();  // the start-up's own (no logo.bmp here)
    run<TFormOptions>(
        m().FileOptions, f,
        [](TFormOptions& dlg) {
            EXPECT_TRUE(dlg.CBBackup.checked());  // on by default
            dlg.CBBackup.userClick();
        },
        f.ButtonOptionsCancel);
    EXPECT_TRUE(backsUpBeforeUpload(m()));

    run<TFormOptions>(
        m().FileOptions, f, [](TFormOptions& dlg) { dlg.CBBackup.userClick(); }, f.ButtonOptionsOk);
    EXPECT_FALSE(backsUpBeforeUpload(m()));
    EXPECT_FALSE(ports.map.backupBeforeUpload());
    EXPECT_EQ(ports.map.savedChoice(2), std::optional<std::string>("/dev/ttyS1"));  // the other lines stay
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().FileSave.enabled());
    // A window started later takes the user's choice.
    m().BackupBeforeUpload.reset();
    run<TFormOptions>(
        m().FileOptions, f,
        [](TFormOptions& dlg) {
            EXPECT_FALSE(dlg.CBBackup.checked());
            dlg.CBBackup.userClick();
        },
        f.ButtonOptionsOk);
    EXPECT_TRUE(ports.map.backupBeforeUpload());
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(SettingsDialogs, OptionsShowASavedDeviceThatIsGoneAndKeepItForItsReturn) {
    FakeSerialDevices ports;
    const std::string old = (ports.dev / "serial/by-id/usb-Old-if00").string();
    ASSERT_TRUE(ports.map.saveChoices({{3, old}}));
    const std::string s0 = ports.plug("ttyS0");
    ::setenv("TAVRO_COM4", "/tmp/sim-com4", 1);
    TFormOptions& f = *d().FormOptions;
    const std::string envNote = "COM4 is set by TAVRO_COM4.";
    run<TFormOptions>(m().FileOptions, f, [&](TFormOptions& dlg) {
        // COM3 falls back to its standard port, which is listed though absent.
        const std::string standard = std::filesystem::exists("/dev/ttyS2") ? "/dev/ttyS2" : "/dev/ttyS2 (not present)";
        EXPECT_EQ(dlg.CBCom3Device.items(), (std::vector<std::string>{standard, s0}));
        EXPECT_EQ(dlg.CBCom3Device.itemIndex(), 0);
        EXPECT_EQ(dlg.CBCom4Device.text(), "/tmp/sim-com4 (not present)");
        EXPECT_FALSE(dlg.CBCom4Device.enabled());
        EXPECT_EQ(dlg.LabelComNote.caption(),
                  "COM3: usb-Old-if00 is not present; /dev/ttyS2 is used instead.\n" + envNote);
        // A pick answers the note.
        dlg.CBCom3Device.userSelect(1);
        EXPECT_EQ(dlg.LabelComNote.caption(), envNote);
    }, f.ButtonOptionsCancel);
    // OK without a pick keeps the choice for when the adapter is back.
    run<TFormOptions>(m().FileOptions, f, {}, f.ButtonOptionsOk);
    EXPECT_EQ(ports.map.savedChoice(3), old);
    ports.plugById("usb-Old-if00", "ttyUSB0");
    EXPECT_EQ(portDevice(3), old);
    run<TFormOptions>(m().FileOptions, f, [&](TFormOptions& dlg) {
        EXPECT_EQ(dlg.CBCom3Device.text(), "usb-Old-if00");
        // COM1 and COM2 follow the one adapter plugged in.
        EXPECT_EQ(dlg.LabelComNote.caption(), envNote + "\nCOM1, COM2 and COM3 open the same device: usb-Old-if00.");
    }, f.ButtonOptionsCancel);
}

TEST_F(SettingsDialogs, OptionsSayWhyTheSavedDevicesAreIgnoredAndOkDoesNotWaitOnThem) {
    FakeSerialDevices ports;
    const std::string s1 = ports.plug("ttyS1");
    std::filesystem::create_directories(ports.config.parent_path());
    PipeWatch watch(ports.config.string(), PipeWatch::Frees::Readers);
    TFormOptions& f = *d().FormOptions;
    host.errors.clear();  // the start-up's own (no logo.bmp here)
    const std::string fileNote = "The saved devices in " + ports.config.string() + " are ignored: Not a regular file.";
    run<TFormOptions>(m().FileOptions, f, [&](TFormOptions& dlg) {
        EXPECT_EQ(dlg.CBCom1Device.text(),
                  std::filesystem::exists("/dev/ttyS0") ? "/dev/ttyS0" : "/dev/ttyS0 (not present)");
        EXPECT_EQ(dlg.LabelComNote.caption(), fileNote);
        // The note stays: a pick does not make the file readable.
        dlg.CBCom1Device.userSelect(1);
        EXPECT_EQ(dlg.LabelComNote.caption(), fileNote);
    }, f.ButtonOptionsOk);
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{"Unable to save the serial devices in " + ports.config.string() + "."}));
    EXPECT_TRUE(watch.finish()) << "the dialog waited for a writer of the config file";
    EXPECT_EQ(std::filesystem::status(ports.config).type(), std::filesystem::file_type::fifo);
}

// An absent device is listed as such, yet stored by its path; the note says
// which COM numbers lead to one device as the lists stand, and is hidden
// when there is nothing to say.
TEST_F(SettingsDialogs, OptionsMarkAbsentDevicesAndTellWhichComNumbersShareOne) {
    FakeSerialDevices ports;
    const std::string s0 = ports.plug("ttyS0"), usb = ports.plug("ttyUSB0"), usb1 = ports.plug("ttyUSB1");
    const std::string gone = (ports.root / "gone").string();
    // Without a choice COM2 falls back to the computer's own /dev/ttyS1.
    const std::string standard = std::filesystem::exists("/dev/ttyS1") ? "/dev/ttyS1" : "/dev/ttyS1 (not present)";
    ASSERT_TRUE(ports.map.saveChoices({{1, usb}, {3, usb}}));
    ::setenv("TAVRO_COM4", gone.c_str(), 1);
    TFormOptions& f = *d().FormOptions;
    host.errors.clear();  // the start-up's own (no logo.bmp here)
    const std::string envNote = "COM4 is set by TAVRO_COM4.";
    run<TFormOptions>(
        m().FileOptions, f,
        [&](TFormOptions& dlg) {
            EXPECT_EQ(dlg.CBCom1Device.items(), (std::vector<std::string>{usb, usb1, s0}));
            EXPECT_EQ(dlg.CBCom2Device.items(), (std::vector<std::string>{standard, usb, usb1, s0}));
            EXPECT_EQ(dlg.CBCom4Device.items(), (std::vector<std::string>{gone + " (not present)", usb, usb1, s0}));
            EXPECT_EQ(dlg.LabelComNote.caption(), envNote + "\nCOM1 and COM3 open the same device: " + usb + ".");
            EXPECT_TRUE(dlg.LabelComNote.visible());
            struct Pick {
                ListBox& list;
                int item;
                std::string shares;
            };
            const Pick picks[] = {
                {dlg.CBCom2Device, 1, "\nCOM1, COM2 and COM3 open the same device: " + usb + "."},
                {dlg.CBCom3Device, 2, "\nCOM1 and COM2 open the same device: " + usb + "."},
                {dlg.CBCom2Device, 0, ""},
            };
            for (const Pick& p : picks) {
                p.list.userSelect(p.item);
                EXPECT_EQ(dlg.LabelComNote.caption(), envNote + p.shares) << p.list.name() << " " << p.item;
            }
        },
        f.ButtonOptionsOk);
    // The absent device picked is stored as its path.
    EXPECT_EQ(ports.map.savedChoice(2), "/dev/ttyS1");
    EXPECT_EQ(ports.map.savedChoice(3), s0);
    EXPECT_EQ(ports.map.savedChoice(1), usb);
    EXPECT_TRUE(host.errors.empty());

    ::unsetenv("TAVRO_COM4");
    ASSERT_TRUE(ports.map.saveChoices({{2, usb1}}));
    run<TFormOptions>(
        m().FileOptions, f,
        [&](TFormOptions& dlg) {
            EXPECT_EQ(dlg.LabelComNote.caption(), "");
            EXPECT_FALSE(dlg.LabelComNote.visible());
            dlg.CBCom2Device.userSelect(0);  // usb
            dlg.CBCom4Device.userSelect(3);  // s0
            EXPECT_EQ(dlg.LabelComNote.caption(), "COM1 and COM2 open the same device: " + usb +
                                                      ".\nCOM3 and COM4 open the same device: " + s0 + ".");
            EXPECT_TRUE(dlg.LabelComNote.visible());
        },
        f.ButtonOptionsCancel);
}

TEST_F(SettingsDialogs, AboutShowsTheSetupsLines) {
    TFormAbout& f = *d().FormAbout;
    m().AboutLine1 = "Living room";
    m().AboutLine2 = " ";
    run<TFormAbout>(m().About, f, [](TFormAbout& dlg) {
        EXPECT_EQ(dlg.LabelAbout1st.caption(), "Living room");
        EXPECT_EQ(dlg.LabelAbout2nd.caption(), " ");
        EXPECT_EQ(dlg.labelWidth, 236);
    }, f.ButtonAboutOk);
    EXPECT_EQ(host.modalShown.back(), "FormAbout");
}

TEST(StartupPicture, ShownDuringCreationAndDestroyedWhenTheWindowShows) {
    struct Case {
        bool exists, readable;
        bool splash;
        int slept;
        std::size_t messages;
    };
    const Case cases[] = {
        {false, false, false, 0, 1},  // only the logo message
        {true, true, true, 2000, 1},
        {true, false, false, 0, 2},   // an unreadable picture is reported once
    };
    for (const Case& c : cases) {
        FakeHost host;
        if (c.exists) host.existingFiles.insert("Startup.bmp");
        if (c.readable) host.readablePictures.insert("Startup.bmp");
        Program program(host);
        EXPECT_EQ(host.windowsShown.size(), c.splash ? 1u : 0u);
        EXPECT_EQ(host.sleptMs, c.slept);
        EXPECT_EQ(program.main().Splash != nullptr, c.splash);
        program.main().FormShow();
        EXPECT_EQ(host.windowsDestroyed.size(), c.splash ? 1u : 0u);
        EXPECT_EQ(program.main().Splash, nullptr);
        EXPECT_EQ(host.messages.size(), c.messages);
        if (c.messages == 2) {
            EXPECT_NE(host.messages[0].find("Startup.bmp"), std::string::npos);
        }
    }
}
