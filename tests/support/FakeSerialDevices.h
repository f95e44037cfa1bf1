// A device folder and a per-user config file of serial devices in a scratch
// folder, with the port map over them installed for the test's lifetime.
// TAVRO_COM1 .. TAVRO_COM4 are cleared meanwhile and put back afterwards.
#pragma once

#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "ScratchFolder.h"
#include "link/PortNames.h"

namespace tavro::test {

class FakeSerialDevices {
public:
    FakeSerialDevices() {
        std::filesystem::create_directories(dev);
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "TAVRO_COM" + std::to_string(n);
            if (const char* v = std::getenv(name.c_str())) saved_[static_cast<std::size_t>(n - 1)] = v;
            ::unsetenv(name.c_str());
        }
        usePortMap(&map);
    }
    ~FakeSerialDevices() {
        usePortMap(nullptr);
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "TAVRO_COM" + std::to_string(n);
            if (const auto& v = saved_[static_cast<std::size_t>(n - 1)]) ::setenv(name.c_str(), v->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    FakeSerialDevices(const FakeSerialDevices&) = delete;
    FakeSerialDevices& operator=(const FakeSerialDevices&) = delete;

    // A device node (a plain file here); its path.
    std::string plug(const std::string& name) {
        std::ofstream(dev / name).put('\0');
        return (dev / name).string();
    }
    // A by-id name leading to the tty `target` of the same folder; its path.
    std::string plugById(const std::string& name, const std::string& target) {
        plug(target);
        std::filesystem::create_directories(dev / "serial/by-id");
        std::filesystem::create_symlink("../../" + target, dev / "serial/by-id" / name);
        return (dev / "serial/by-id" / name).string();
    }
    void unplug(const std::string& path) { std::filesystem::remove(path); }
    std::string configText() const {
        std::ifstream in(config);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    const std::filesystem::path root = scratchFolder();
    const std::filesystem::path dev = root / "dev";
    const std::filesystem::path config = root / "config/tavro-setup/ports.conf";
    PortMap map{config, [this] { return listSerialDevices(dev); }};

private:
    static std::filesystem::path scratchFolder() {
        return makeScratchFolder("tavro-ports");
    }

    std::array<std::optional<std::string>, 4> saved_;
};

}  // namespace tavro::test
