// How the view runs the models' timers, and what it puts in window titles.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "FormBinder.h"
#include "QtHost.h"
#include "forms/Host.h"

using namespace tavro;

namespace {

struct TimedForm : Form {
    TimedForm() : Form("FormTimed", "Timed") {}
    Timer OpTimer{*this, "OpTimer", 5, true};
};

}  // namespace

// Writing the model back after a tick leaves a running timer alone: its
// next tick is timed from the start of the last one, so a tick whose
// handler used up the interval (an exchange with the processor) is not
// followed by a further full interval.
TEST(ViewTimers, WritingTheStateBackDoesNotRestartARunningTimer) {
    TimedForm form;
    QWidget root;
    qt::FormBinder binder(form, &root);
    auto* timer = qobject_cast<QTimer*>(binder.objectFor("OpTimer"));
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5);

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 4) {
    }
    binder.sync();
    EXPECT_LT(timer->remainingTime(), 4) << "the timer started over";

    // The model's interval and enabled state still reach the timer.
    form.OpTimer.setInterval(20);
    binder.sync();
    EXPECT_EQ(timer->interval(), 20);
    form.OpTimer.setEnabled(false);
    binder.sync();
    EXPECT_FALSE(timer->isActive());
}

// Message boxes are titled with the application's name, but no display name
// is fixed: the platform would append it to every window title ("Check
// Connection — Tavro Setup"), and the titles are the forms' captions.
TEST(ViewTitles, TheApplicationNameIsNotAppendedToWindowTitles) {
    qt::nameApplication();
    EXPECT_EQ(QApplication::applicationDisplayName(), "Tavro Setup");
    // With no display name of its own the display name follows the
    // application name; a fixed one would not.
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QApplication::applicationDisplayName(), "probe");
    qt::nameApplication();
}
