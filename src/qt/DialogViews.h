// Shows the dialog form models with their Designer forms.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "ui/Host.h"

namespace tavro::qt {

// Loads the Designer form named after a form model ("FormOptions" loads
// FormOptions.ui from the program's resources); null when there is none.
std::unique_ptr<QWidget> loadForm(const std::string& formName, QWidget* parent);

// Shows a dialog model modally on its Designer form and returns how it
// closed: the model's own result, or Cancel when the window was closed.
ModalResult execDialog(Form& form, QWidget* parent);

}  // namespace tavro::qt
