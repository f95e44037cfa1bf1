#include "MainWindow.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "ui_TavroSetupMain.h"

namespace tavro::qt {

MainWindow::MainWindow(TTavroSetupMain& model, QWidget* parent)
    : QMainWindow(parent), model_(model), ui_(std::make_unique<Ui::TavroSetupMain>()) {
    ui_->setupUi(this);
    setWindowTitle(QString::fromLatin1(model.caption().c_str()));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    binder_ = new FormBinder(model, this, this);
    adjustSize();
    setFixedSize(size());
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // The show step runs once the window is on screen, so that its messages
    // appear over the window.
    QTimer::singleShot(0, this, [this] {
        model_.FormShow();
        binder_->sync();
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (model_.TryClose())
        event->accept();
    else
        event->ignore();
}

}  // namespace tavro::qt
