// A working directory like the one the run script prepares: a shipped
// default setup as Default.dfg and the logo, made the current directory for
// as long as the object lives.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tavro::test {

class RunDirectory {
public:
    explicit RunDirectory(const QString& model = "Tavro") : before_(QDir::currentPath()) {
        ready_ = work_.isValid() &&
                 QFile::copy(QString(TAVRO_SOURCE_DIR "/defaults/%1.dfg").arg(model), work_.filePath("Default.dfg")) &&
                 QFile::copy(TAVRO_SOURCE_DIR "/assets/logo.bmp", work_.filePath("logo.bmp")) &&
                 QDir::setCurrent(work_.path());
    }
    ~RunDirectory() { QDir::setCurrent(before_); }
    RunDirectory(const RunDirectory&) = delete;
    RunDirectory& operator=(const RunDirectory&) = delete;

    bool ready() const { return ready_; }

private:
    QTemporaryDir work_;
    QString before_;
    bool ready_ = false;
};

}  // namespace tavro::test
