// tavro-setup: prepares a processor's whole configuration, keeps it as a
// setup file and transfers it over the serial line.
//
//   tavro-setup                 start in the working folder
//   tavro-setup --model R7      start with R7's shipped default setup
//   tavro-setup --version       print the program's name and version
//
// Installed (the shipped setups and pictures in ../share/tavro-setup beside
// the program's folder), the program works in the user's own folder,
// $XDG_DATA_HOME/tavro-setup, filled from the shipped files on the first
// start. Run from the build tree, it works in the current directory.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "MainWindow.h"
#include "QtHost.h"
#include "TavroVersion.h"
#include "files/UserFolder.h"
#include "forms/Program.h"

namespace {

constexpr const char* Usage =
    "Usage: tavro-setup [--model Tavro|R7|4820]\n"
    "\n"
    "  --model NAME  replace Default.dfg with that model's shipped default\n"
    "                setup (the previous one is kept as Default.dfg~), then start\n"
    "  --help        this text\n"
    "  --version     the program's name and version\n"
    "\n"
    "Installed, the program works in $XDG_DATA_HOME/tavro-setup (by default\n"
    "~/.local/share/tavro-setup): Default.dfg, logo.bmp and Startup.bmp are read\n"
    "there, and the options are written back into Default.dfg at exit.\n";

struct Arguments {
    std::optional<std::string> model;
};

bool asks(int argc, char* argv[], const char* option, const char* shortOption = nullptr) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0 || (shortOption && std::strcmp(argv[i], shortOption) == 0)) return true;
    return false;
}

// The arguments left after Qt took its own (-platform, -style...). Nothing
// when they are wrong; the problem is printed.
std::optional<Arguments> parse(const QStringList& arguments) {
    Arguments args;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string a = arguments[i].toStdString();
        if (a == "--model" && i + 1 < arguments.size()) {
            args.model = arguments[++i].toStdString();
            if (!tavro::files::shippedDefaultName(*args.model)) {
                std::cerr << "tavro-setup: unknown model '" << *args.model << "' (Tavro, R7 or 4820)\n" << Usage;
                return std::nullopt;
            }
            continue;
        }
        std::cerr << "tavro-setup: " << (a == "--model" ? "--model needs a value" : "unknown argument '" + a + "'")
                  << "\n" << Usage;
        return std::nullopt;
    }
    return args;
}

// The shipped files of an installed program; nothing in the build tree.
std::optional<std::filesystem::path> shippedFolder() {
    const std::filesystem::path share =
        std::filesystem::path(QDir(QCoreApplication::applicationDirPath()).filePath("../share/tavro-setup").toStdString());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(share / "Tavro.dfg", ec)) return std::nullopt;
    return share.lexically_normal();
}

// Enters the working folder; an error text when the program cannot start.
std::string enterWorkingFolder(const Arguments& args) {
    const auto shipped = shippedFolder();
    if (!shipped) {
        if (args.model) return "--model works with the installed program; from the source tree use TAVRO_MODEL=" +
                               *args.model + " scripts/run.";
        return {};
    }
    const auto folder = tavro::files::userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!folder) return "No folder for the settings: neither XDG_DATA_HOME nor HOME names one.";
    if (auto problem = tavro::files::prepareUserFolder(*shipped, *folder, args.model); !problem.empty())
        return problem;
    if (!QDir::setCurrent(QString::fromStdString(folder->string())))
        return "Unable to enter the folder " + folder->string() + ".";
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (asks(argc, argv, "--help", "-h")) {
        std::cout << Usage;
        return 0;
    }
    if (asks(argc, argv, "--version")) {
        std::cout << "tavro-setup " TAVRO_VERSION "\n";
        return 0;
    }
    QApplication app(argc, argv);
    tavro::qt::nameApplication();
    // The desktop entry and the icon that the package installs.
    QGuiApplication::setDesktopFileName("tavro-setup");
    QApplication::setWindowIcon(QIcon::fromTheme("tavro-setup"));
    const auto args = parse(QCoreApplication::arguments());
    if (!args) return 2;
    if (const std::string problem = enterWorkingFolder(*args); !problem.empty()) {
        std::cerr << "tavro-setup: " << problem << "\n";
        QMessageBox::warning(nullptr, "Tavro Setup", QString::fromStdString(problem));
        return 1;
    }
    try {
        tavro::qt::QtHost host;
        tavro::Program program(host);
        tavro::qt::MainWindow window(program.main());
        host.setMainWindow(&window);
        window.show();
        QApplication::exec();
    } catch (...) {
        QMessageBox::warning(nullptr, "Tavro Setup", "Internal error occured. Aborting.");
    }
    return 0;
}
