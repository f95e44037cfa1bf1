// Shows the dialog form models with their Designer forms.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "forms/Host.h"

namespace tavro::qt {

// Creates the compiled Designer form named after a form model
// ("FormOptions" is FormOptions.ui); throws std::logic_error for a form
// model that has none, so a missing form cannot pass for a closed dialog.
std::unique_ptr<QWidget> createForm(const std::string& formName, QWidget* parent);

// Shows a dialog model modally on its Designer form and returns how it
// closed: the model's own result, or Cancel when the window was closed.
// Throws std::logic_error when the form model has no dialog form.
ModalResult execDialog(Form& form, QWidget* parent);

}  // namespace tavro::qt
