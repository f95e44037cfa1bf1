// A program started on the shipped default setup whose COM1 is a tavro-sim
// device, through the real QSerialPort-backed port.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "FakeHost.h"
#include "QtSerialPort.h"
#include "ScratchFolder.h"
#include "SimProcess.h"
#include "forms/ImageBuilder.h"
#include "forms/Dialogs.h"
#include "forms/Program.h"

#ifndef TAVRO_SOURCE_DIR
#error "TAVRO_SOURCE_DIR must name the source tree"
#endif

namespace tavro::test {

// The real port, except that the 4 ms pause after each byte is only
// counted: the pauses pace a real processor and would make a full upload
// take many seconds. It also tells whether the port is open.
class UnpausedPort : public qt::QtSerialPort {
public:
    bool isOpen = false;
    int pauses = 0;
    bool open(const std::string& name) override {
        isOpen = QtSerialPort::open(name);
        return isOpen;
    }
    void close() override {
        QtSerialPort::close();
        isOpen = false;
    }
    void sleepMs(int) override { ++pauses; }
};

class SimHost : public FakeHost {
public:
    UnpausedPort realPort;
    SerialPort& serialPort() override { return realPort; }
};

// One program on its own working directory with a shipped default setup
// (defaults/<model>.dfg) as its Default.dfg.
struct SimProgram {
    SimHost host;
    std::string dir;
    std::unique_ptr<Program> program;

    explicit SimProgram(const std::string& workDir, const std::string& model = "Tavro") : dir(workDir) {
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(std::string(TAVRO_SOURCE_DIR) + "/defaults/" + model + ".dfg", dir + "/Default.dfg",
                                   std::filesystem::copy_options::overwrite_existing);
        host.readablePictures = {"logo.bmp"};
        program = std::make_unique<Program>(host, [this](TTavroSetupMain& w) { w.StartDirectory = dir; });
        m().FormShow();
        m().Opts.ComPort = 1;
        m().Opts.AutoVerify = 0;
        // The uploads here write at once: the backup before an upload is
        // tested on its own.
        m().BackupBeforeUpload = false;
    }
    TTavroSetupMain& m() { return program->main(); }
    TFormComm& comm() { return *m().dialogs()->FormComm; }

    struct Run {
        int ticks = 0;       // entries stepped
        int firstCount = 0;  // entries of the first phase
        bool portOpenAtEnd = false;
        bool finished = false;
        std::string label;
        std::string detail;
    };
    // Runs a menu command: the communication dialog's transfer is started
    // and stepped entry by entry to its end, as the dialog's timers would.
    Run run(MenuItem& command) {
        Run r;
        host.onModal = [&](Form&) {
            Transfer& t = comm().transfer();
            t.start();
            r.firstCount = t.entryCount();
            while (!t.finished() && r.ticks < 5000) {
                t.step();
                ++r.ticks;
            }
            r.portOpenAtEnd = host.realPort.isOpen;
            r.finished = t.finished();
            r.label = t.text();
            r.detail = t.detail();
            return ModalResult::Ok;
        };
        command.userClick();
        host.onModal = nullptr;
        return r;
    }

    // Saves the setup as Save As does and returns the file's bytes.
    std::string saveAs(const std::string& name) {
        host.saveAnswers.push_back(dir + "/" + name);
        m().FileSaveAsClick();
        std::ifstream in(dir + "/" + name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

inline int countFlags(const EntryFlags& f) {
    int n = 0;
    for (auto v : f) n += v != 0 ? 1 : 0;
    return n;
}

// A scratch directory for the test with the simulator's link in it; COM1
// leads there.
class SimTest : public ::testing::Test {
protected:
    std::string scratch;
    std::string link;
    SimProcess sim;

    void SetUp() override {
        scratch = makeScratchFolder("tavro-sim-test");
        link = scratch + "/com1";
        ::setenv("TAVRO_COM1", link.c_str(), 1);
    }
    void TearDown() override {
        sim.stop();
        ::unsetenv("TAVRO_COM1");
        std::filesystem::remove_all(scratch);
    }

    // The simulator's table as it wrote it when stopped with --dump.
    static std::map<std::uint16_t, int> readDump(const std::string& path) {
        std::map<std::uint16_t, int> table;
        std::ifstream in(path);
        std::string address;
        int value = 0;
        while (in >> address >> value) table[static_cast<std::uint16_t>(std::stoul(address, nullptr, 16))] = value;
        return table;
    }
};

}  // namespace tavro::test
