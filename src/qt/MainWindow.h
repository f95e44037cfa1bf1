// The main window's view: the Designer form bound to TTavroSetupMain.
#pragma once

#include <QMainWindow>
#include <memory>

#include "FormBinder.h"
#include "forms/Setupmain.h"

namespace Ui {
class TavroSetupMain;
}

namespace tavro::qt {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(TTavroSetupMain& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    FormBinder& binder() { return *binder_; }
    TTavroSetupMain& model() { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Shows the next (1) or previous (-1) shown tab, going round.
    void stepTab(int step);

    TTavroSetupMain& model_;
    std::unique_ptr<Ui::TavroSetupMain> ui_;
    FormBinder* binder_ = nullptr;
    bool shown_ = false;
};

}  // namespace tavro::qt
