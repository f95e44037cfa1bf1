#include "DialogViews.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <string_view>

#include "FormBinder.h"
#include "ui_FormAbout.h"
#include "ui_FormBackups.h"
#include "ui_FormCh9_10.h"
#include "ui_FormComm.h"
#include "ui_FormCompare.h"
#include "ui_FormDPLII.h"
#include "ui_FormOptions.h"
#include "ui_FormPreset.h"
#include "ui_FormSource.h"
#include "ui_FormTHXUltra2.h"
#include "ui_Splash.h"

namespace tavro::qt {

namespace {

// Builds one compiled Designer form on a new top-level widget; the widgets
// are found by their objectName afterwards, so the Ui object is not kept.
template <class Ui, class Top>
std::unique_ptr<QWidget> build(QWidget* parent) {
    auto widget = std::make_unique<Top>(parent);
    Ui().setupUi(widget.get());
    return widget;
}

struct CompiledForm {
    std::string_view name;
    std::unique_ptr<QWidget> (*create)(QWidget* parent);
};

const CompiledForm compiledForms[] = {
    // clang-format off
    {"FormAbout", build<Ui::FormAbout, QDialog>},
    {"FormBackups", build<Ui::FormBackups, QDialog>},
    {"FormCh9_10", build<Ui::FormCh9_10, QDialog>},
    {"FormComm", build<Ui::FormComm, QDialog>},
    {"FormCompare", build<Ui::FormCompare, QDialog>},
    {"FormDPLII", build<Ui::FormDPLII, QDialog>},
    {"FormOptions", build<Ui::FormOptions, QDialog>},
    {"FormPreset", build<Ui::FormPreset, QDialog>},
    {"FormSource", build<Ui::FormSource, QDialog>},
    {"FormTHXUltra2", build<Ui::FormTHXUltra2, QDialog>},
    {"Splash", build<Ui::Splash, QWidget>},
    // clang-format on
};

}  // namespace

std::unique_ptr<QWidget> createForm(const std::string& formName, QWidget* parent) {
    for (const CompiledForm& form : compiledForms)
        if (form.name == formName) return form.create(parent);
    throw std::logic_error("no Designer form for the form model " + formName);
}

ModalResult execDialog(Form& form, QWidget* parent) {
    form.setModalResult(ModalResult::None);
    std::unique_ptr<QWidget> widget = createForm(form.name(), parent);
    auto* dialog = qobject_cast<QDialog*>(widget.get());
    if (dialog == nullptr) throw std::logic_error("the form " + form.name() + " is not a dialog");
    // A form whose "titleBarButtons" property is false has a bare title bar
    // (no system menu, no close button); the rest have the system menu.
    const QVariant buttons = dialog->property("titleBarButtons");
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (!buttons.isValid() || buttons.toBool()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(flags);
    // A form with a layout sizes itself to the controls it shows.
    if (dialog->layout() == nullptr) dialog->setFixedSize(dialog->size());

    // The model's buttons decide how the dialog closes; Qt's own default
    // handling of Return and Escape goes through the same buttons.
    FormBinder binder(form, dialog);
    QObject::connect(&binder, &FormBinder::modalResultSet, dialog, [dialog](int ok) {
        dialog->done(ok != 0 ? QDialog::Accepted : QDialog::Rejected);
    });
    form.FormShow();
    binder.sync();
    // The control named by the form's "initialFocus" property, if any, has
    // the focus when the dialog comes up; otherwise the first tab stop.
    QTimer::singleShot(0, dialog, [&form, &binder, dialog] {
        form.FormActivate();
        binder.sync();
        const QString first = dialog->property("initialFocus").toString();
        if (auto* w = first.isEmpty() ? nullptr : dialog->findChild<QWidget*>(first)) w->setFocus(Qt::OtherFocusReason);
    });
    dialog->exec();
    if (form.modalResult() == ModalResult::None) form.setModalResult(ModalResult::Cancel);
    // Closed by a button, Escape or the window's close button alike.
    form.FormClose();
    return form.modalResult();
}

}  // namespace tavro::qt
