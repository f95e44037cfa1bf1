#include "QtHost.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "DialogViews.h"
#include "FormBinder.h"

#include <QApplication>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>

namespace tavro::qt {

namespace {
// File names travel in the platform's own encoding, both ways, so that a
// name proposed, chosen, shown in a message and opened stays the same name.
// On Windows that is UTF-8, which the file layer hands to the system's wide
// calls (QFile::encodeName would give the ANSI code page there).
#ifdef Q_OS_WIN
QString fromName(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string toName(const QString& s) { return s.toUtf8().toStdString(); }
#else
QString fromName(const std::string& s) { return QFile::decodeName(QByteArray(s.data(), static_cast<qsizetype>(s.size()))); }
std::string toName(const QString& s) { return QFile::encodeName(s).toStdString(); }
#endif

// The texts the host shows are fixed texts in plain ASCII and the names of
// files and devices they report.
QString fromModel(const std::string& s) { return fromName(s); }

// "Setup Configuration|*.sfg" becomes "Setup Configuration (*.sfg)".
QString qtFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
    return out.join(";;");
}

QString applicationTitle() { return QApplication::applicationDisplayName(); }
}  // namespace

void nameApplication() { QCoreApplication::setApplicationName("Tavro Setup"); }

void QtHost::showMessage(const std::string& text) {
    QMessageBox::information(window_, applicationTitle(), fromModel(text));
}

void QtHost::showError(const std::string& text) { QMessageBox::warning(window_, applicationTitle(), fromModel(text)); }

bool QtHost::confirm(const std::string& text) {
    // Every question asks whether to throw work away: Return answers No.
    QMessageBox box(QMessageBox::Question, applicationTitle(), fromModel(text), QMessageBox::Yes | QMessageBox::No,
                    window_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtHost::askOpenFile(const FileDialogSetup& request) {
    QFileDialog dialog(window_, fromModel(request.title), QString(), qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension).remove(0, 1));
    if (!request.fileName.empty()) dialog.selectFile(fromName(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toName(dialog.selectedFiles().first());
}

std::optional<std::string> QtHost::askSaveFile(const FileDialogSetup& request) {
    QFileDialog dialog(window_, fromModel(request.title), QString(), qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension).remove(0, 1));
    if (!request.fileName.empty()) dialog.selectFile(fromName(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toName(dialog.selectedFiles().first());
}

ModalResult QtHost::showModal(Form& dialog) { return execDialog(dialog, window_); }

void QtHost::sleepMs(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

bool QtHost::fileExists(const std::string& file) { return QFileInfo::exists(fromName(file)); }

void QtHost::showWindow(Form& form) {
    std::unique_ptr<QWidget> widget = createForm(form.name(), nullptr);
    widget->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    auto* binder = new FormBinder(form, widget.get(), widget.get());
    binder->sync();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        widget->move(screen->availableGeometry().center() - widget->rect().center());
    widget->show();
    windows_[&form] = std::move(widget);
}

void QtHost::destroyWindow(Form& form) { windows_.erase(&form); }

bool QtHost::pictureReadable(const std::string& file) {
    QImageReader reader(fromName(file));
    return reader.canRead();
}

void QtHost::processMessages() { QApplication::processEvents(); }

void QtHost::closeMainWindow() {
    // Queued, so that a handler that asks for the close (even from the show
    // step) finishes before the close query runs.
    if (window_) QMetaObject::invokeMethod(window_, "close", Qt::QueuedConnection);
}

}  // namespace tavro::qt
