// The program's start with and without a start-up picture, on the real
// desktop host.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include "MainWindow.h"
#include "QtHost.h"
#include "forms/Program.h"

using namespace tavro;

namespace {

QWidget* visibleSplash() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Splash" && w->isVisible()) return w;
    return nullptr;
}

}  // namespace

TEST(StartupPictureView, ShownWhileTheWindowIsCreatedAndGoneOnceItShows) {
    for (bool withPicture : {true, false}) {
        QTemporaryDir work;
        ASSERT_TRUE(work.isValid());
        ASSERT_TRUE(QFile::copy(TAVRO_SOURCE_DIR "/defaults/Tavro.dfg", work.filePath("Default.dfg")));
        ASSERT_TRUE(QFile::copy(TAVRO_SOURCE_DIR "/assets/logo.bmp", work.filePath("logo.bmp")));
        if (withPicture) {
            ASSERT_TRUE(QFile::copy(TAVRO_SOURCE_DIR "/assets/Startup.bmp", work.filePath("Startup.bmp")));
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(work.path());

        qt::QtHost host;
        QElapsedTimer clock;
        clock.start();
        Program program(host);
        const qint64 creation = clock.elapsed();
        QWidget* splash = visibleSplash();
        EXPECT_EQ(splash != nullptr, withPicture);
        if (splash != nullptr) {
            EXPECT_EQ(splash->size(), QSize(250, 167));
            EXPECT_FALSE(splash->findChild<QLabel*>("SplashImage")->pixmap().isNull());
            EXPECT_GE(creation, 1900) << "the picture stays up about two seconds";
        } else {
            EXPECT_LT(creation, 1500) << "no wait without a picture";
        }

        qt::MainWindow window(program.main());
        host.setMainWindow(&window);
        window.show();
        QElapsedTimer wait;
        wait.start();
        while ((program.main().Splash || program.main().FileSave.enabled()) && wait.elapsed() < 2000)
            QApplication::processEvents();
        EXPECT_EQ(program.main().Splash, nullptr);
        EXPECT_EQ(visibleSplash(), nullptr);
        EXPECT_FALSE(program.main().FileSave.enabled());  // the show step ran
        window.hide();
        QDir::setCurrent(before);
    }
}
