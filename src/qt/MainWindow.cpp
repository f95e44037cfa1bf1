#include "MainWindow.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QShowEvent>
#include <QTimer>

#include "ui_TavroSetupMain.h"

namespace tavro::qt {

MainWindow::MainWindow(TTavroSetupMain& model, QWidget* parent)
    : QMainWindow(parent), model_(model), ui_(std::make_unique<Ui::TavroSetupMain>()) {
    ui_->setupUi(this);
    setWindowTitle(QString::fromLatin1(model.caption().c_str()));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    binder_ = new FormBinder(model, this, this);
    // Every user action of the window is a step of the edit history.
    binder_->actionRunner = [this](Control& control, const std::function<void()>& action, bool leaving) {
        model_.userEdit(control, action, leaving);
    };
    // Redo answers Ctrl+Shift+Z as well as its own Ctrl+Y.
    ui_->EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Ctrl+Tab and Ctrl+PageDown go to the next tab, Ctrl+Shift+Tab and
    // Ctrl+PageUp to the previous one, from any control of the window (a
    // focused list would otherwise take Ctrl+PageDown as a change of its
    // value).
    const struct {
        QKeySequence keys;
        int step;
    } tabKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& k : tabKeys) {
        auto* shortcut = new QShortcut(k.keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = k.step] { stepTab(step); });
    }
    adjustSize();
    setFixedSize(size());
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::stepTab(int step) {
    QTabWidget* tabs = ui_->uiPages;
    const int count = tabs->count();
    for (int i = 1; i < count; ++i) {
        const int index = ((tabs->currentIndex() + step * i) % count + count) % count;
        if (!tabs->isTabVisible(index) || !tabs->isTabEnabled(index)) continue;
        tabs->setCurrentIndex(index);
        tabs->tabBar()->setFocus(Qt::TabFocusReason);
        return;
    }
}

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
