#include "forms/Program.h"

#include <filesystem>
#include <system_error>

#include "forms/SetupFile.h"
#include "forms/ImageBuilder.h"

namespace tavro {

namespace {
std::string currentDirectory() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::current_path(ec);
    return ec ? std::string() : dir.string();
}
}  // namespace

ReadResult readFromStartDirectory(TTavroSetupMain& w, const std::string& path) {
    return ReadSetupFile(w, inStartDirectory(w, path));
}

Program::Program(Host& host, const std::function<void(TTavroSetupMain&)>& installSeams) {
    // The start-up picture, when there is one, shows while the main window
    // is created; one that cannot be read is reported and start-up goes on.
    std::unique_ptr<TSplash> splash;
    if (host.fileExists("Startup.bmp")) {
        if (host.pictureReadable("Startup.bmp")) {
            splash = std::make_unique<TSplash>();
            host.showWindow(*splash);
            host.processMessages();
        } else {
            host.showError("Unable to load the picture Startup.bmp.");
        }
    }
    main_ = std::make_unique<TTavroSetupMain>(host);
    main_->Splash = std::move(splash);
    // The start directory keeps "Default.dfg" for the whole run.
    main_->StartDirectory = currentDirectory();
    main_->ReadSetupFileHook = readFromStartDirectory;
    InstallImageSeams(*main_);
    if (installSeams) installSeams(*main_);
    main_->FormCreate();
    // Nothing in the creation step may use a dialog: they exist only now.
    dialogs_ = std::make_unique<Dialogs>(*main_);
    main_->attachDialogs(dialogs_.get());
}

}  // namespace tavro
