// tavro-bench-window: times the window's Upload All Settings, Download
// Settings and Verify Settings through the real main window, communication
// dialog, timers and serial port, as a user would run them. The program
// starts in the working directory (its Default.dfg, COM1 as TAVRO_COM1
// names it); each line printed is "<operation> <entries> <seconds> <text>",
// the time from the menu command to the dialog's "&OK".
//   tavro-bench-window
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "MainWindow.h"
#include "QtHost.h"
#include "forms/ImageBuilder.h"
#include "forms/Program.h"

namespace {

struct Result {
    double seconds = -1;
    QString text;
};

// Triggers the menu command and presses "&OK" as soon as the dialog shows
// it; the time runs from the command to that moment.
Result runCommand(QWidget& window, const char* action) {
    Result result;
    QElapsedTimer clock;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        auto* button = dialog->findChild<QPushButton*>("ButtonComm");
        if (button == nullptr || button->text() != "&OK") return;
        result.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        result.text = dialog->findChild<QLabel*>("LabelComm")->text();
        watch.stop();
        button->click();
    });
    watch.start();
    clock.start();
    window.findChild<QAction*>(action)->trigger();
    return result;
}

int countFlags(const tavro::EntryFlags& flags) {
    int n = 0;
    for (auto f : flags) n += f != 0 ? 1 : 0;
    return n;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tavro::qt::nameApplication();
    tavro::qt::QtHost host;
    tavro::Program program(host);
    tavro::TTavroSetupMain& m = program.main();
    tavro::qt::MainWindow window(m);
    host.setMainWindow(&window);
    window.show();
    QElapsedTimer started;
    started.start();
    while (started.elapsed() < 200) QApplication::processEvents();  // the show step
    if (m.closed()) return 1;
    m.Opts.ComPort = 1;
    m.Opts.AutoVerify = 0;
    m.Opts.ConfirmDiscard = 0;

    tavro::MarkVisibleEntries(m);
    const int entries = countFlags(m.ChangedMask);
    m.ClearChangedMask();

    const struct {
        const char* name;
        const char* action;
    } commands[] = {
        {"upload", "OperationsWriteSettings"},
        {"download", "OperationsReadSettings"},
        {"verify", "OperationsVerifySettings"},  // enabled by the download
    };
    int status = 0;
    for (const auto& c : commands) {
        const Result r = runCommand(window, c.action);
        std::printf("%s %d %.3f %s\n", c.name, entries, r.seconds, r.text.toLatin1().constData());
        if (r.seconds < 0 || m.CommOperation == tavro::CommOperation::OpFailed) status = 1;
    }
    std::fflush(stdout);
    return status;
}
