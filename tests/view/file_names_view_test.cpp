// File names through the real file dialogs and message boxes: a name that
// is not plain ASCII is proposed, chosen, shown and returned as the same
// name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "QtHost.h"

using namespace tavro;

namespace {

const char* const Names[] = {"M\xC3\xBCller.sfg", "\xE6\x97\xA5\xE6\x9C\xAC setup.sfg", "plain.sfg"};

// Runs once the next modal window is up.
template <class Window, class Action>
void whenShown(bool& acted, Action action) {
    QTimer::singleShot(0, [&acted, action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        action(window);
        acted = true;
    });
}

}  // namespace

TEST(FileNamesView, ANameTravelsUnchangedThroughTheDialogsAndMessages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : Names) {
        SCOPED_TRACE(name);
        const std::string path = QFile::encodeName(dir.path()).toStdString() + "/" + name;
        const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
        qt::QtHost host;

        // Save As proposes the current file and returns it when accepted.
        bool acted = false;
        QString proposed;
        whenShown<QFileDialog>(acted, [&proposed](QFileDialog* d) {
            proposed = d->selectedFiles().value(0);
            static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
        });
        const std::optional<std::string> saved = host.askSaveFile({"Save As", "Setup Configuration|*.sfg", ".sfg", path});
        ASSERT_TRUE(acted);
        EXPECT_EQ(proposed.toStdString(), shown.toStdString());
        EXPECT_EQ(saved, path);

        // Open returns the chosen file's name as the file system spells it.
        QFile file(shown);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        acted = false;
        whenShown<QFileDialog>(acted, [&shown](QFileDialog* d) {
            d->selectFile(shown);
            static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
        });
        const std::optional<std::string> opened = host.askOpenFile({"Open...", "Setup Configuration|*.sfg", ".sfg", {}});
        ASSERT_TRUE(acted);
        EXPECT_EQ(opened, path);
        EXPECT_TRUE(host.fileExists(path));

        // A message names it as it is.
        acted = false;
        QString text;
        whenShown<QMessageBox>(acted, [&text](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        host.showMessage("Unable to open " + path + ".");
        ASSERT_TRUE(acted);
        EXPECT_EQ(text.toStdString(), ("Unable to open " + shown + ".").toStdString());
    }
}
