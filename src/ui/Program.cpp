#include "ui/Program.h"

namespace tavro {

Program::Program(Host& host, const std::function<void(TTavroSetupMain&)>& installSeams)
    : main_(std::make_unique<TTavroSetupMain>(host)) {
    if (installSeams) installSeams(*main_);
    main_->FormCreate();
    // Nothing in the creation step may use a dialog: they exist only now.
    dialogs_ = std::make_unique<Dialogs>();
    main_->attachDialogs(dialogs_.get());
}

}  // namespace tavro
