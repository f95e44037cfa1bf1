#include "DialogViews.h"

#include <QDialog>
#include <QFile>
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
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(dialog->size());

    // The model's buttons decide how the dialog closes; Qt's own default
    // handling of Return and Escape goes through the same buttons.
    FormBinder binder(form, dialog);
    QObject::connect(&binder, &FormBinder::modalResultSet, dialog, [dialog](int ok) {
        dialog->done(ok != 0 ? QDialog::Accepted : QDialog::Rejected);
    });
    form.FormShow();
    binder.sync();
    QTimer::singleShot(0, dialog, [&form, &binder] {
        form.FormActivate();
        binder.sync();
    });
    dialog->exec();
    if (form.modalResult() == ModalResult::None) form.setModalResult(ModalResult::Cancel);
    // Closed by a button, Escape or the window's close button alike.
    form.FormClose();
    return form.modalResult();
}

}  // namespace tavro::qt
