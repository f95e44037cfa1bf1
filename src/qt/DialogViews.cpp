#include "DialogViews.h"

#include <QDialog>
#include <QFile>
#include <QLayout>
#include <QPushButton>
#include <QTimer>
#include <QUiLoader>

#include "FormBinder.h"

namespace tavro::qt {

std::unique_ptr<QWidget> loadForm(const std::string& formName, QWidget* parent) {
    QFile file(QString(":/forms/%1.ui").arg(QString::fromStdString(formName)));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    QUiLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file, parent));
}

ModalResult execDialog(Form& form, QWidget* parent) {
    form.setModalResult(ModalResult::None);
    std::unique_ptr<QWidget> widget = loadForm(form.name(), parent);
    auto* dialog = qobject_cast<QDialog*>(widget.get());
    if (dialog == nullptr) return ModalResult::Cancel;
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
