// tavro-setup: prepares a processor's whole configuration, keeps it as a
// setup file and transfers it over the serial line.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "MainWindow.h"
#include "QtHost.h"
#include "ui/Program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavro::qt::nameApplication();
    try {
        tavro::qt::QtHost host;
        tavro::Program program(host);
        tavro::qt::MainWindow window(program.main());
        host.setMainWindow(&window);
        window.show();
        QApplication::exec();
    } catch (...) {
        QMessageBox::critical(nullptr, "Tavro Setup", "Internal error occured. Aborting.");
    }
    return 0;
}
