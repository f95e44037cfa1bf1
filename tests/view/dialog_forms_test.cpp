// Every dialog model against its Designer form: names and kinds agree both
// ways, and a dialog shown modally closes with the result of its buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <map>
#include <stdexcept>

#include "DialogViews.h"
#include "FakeHost.h"
#include "FakeSerialDevices.h"
#include "FormBinder.h"
#include "forms/Dialogs.h"
#include "forms/Program.h"

using namespace tavro;

namespace {

std::vector<Form*> formsWithViews(Program& p) {
    Dialogs& d = p.dialogs();
    std::vector<Form*> forms{d.FormOptions.get(), d.FormAbout.get(),   d.FormDPLII.get(),  d.FormTHXUltra2.get(),
                             d.FormCh9_10.get(),  d.FormCompare.get(), d.FormBackups.get()};
    for (Form* f : std::initializer_list<Form*>{d.FormSource.get(), d.FormPreset.get(), d.FormComm.get()})
        if (!f->controls().empty()) forms.push_back(f);
    return forms;
}

}  // namespace

TEST(DialogForms, NamesAndKindsAgreeWithTheModels) {
    test::FakeHost host;
    Program program(host);
    TSplash splash;
    std::vector<Form*> forms = formsWithViews(program);
    forms.push_back(&splash);
    for (Form* form : forms) {
        std::unique_ptr<QWidget> widget = qt::createForm(form->name(), nullptr);
        ASSERT_NE(widget, nullptr) << "no form for " << form->name();
        EXPECT_EQ(widget->objectName().toStdString(), form->name());
        qt::FormBinder binder(*form, widget.get());
        EXPECT_TRUE(binder.unbound().empty()) << form->name() << ": " << binder.unbound().front();
        for (QObject* o : widget->findChildren<QObject*>()) {
            if (!o->isWidgetType() || qt::isStructuralName(o->objectName())) continue;
            if (o->parent() != nullptr && o->parent()->inherits("QComboBox")) continue;
            EXPECT_NE(form->find(o->objectName().toStdString()), nullptr)
                << form->name() << ": widget without a control " << o->objectName().toStdString();
        }
    }
}

// A form model without a compiled form is a fault of the program, not a
// dialog the user cancelled.
TEST(DialogForms, AFormModelWithoutAFormFailsLoudly) {
    Form unknown("FormNobody");
    EXPECT_THROW(qt::createForm(unknown.name(), nullptr), std::logic_error);
    EXPECT_THROW(qt::execDialog(unknown, nullptr), std::logic_error);
    EXPECT_EQ(unknown.modalResult(), ModalResult::None);
    // The splash is a window, not a dialog.
    Form splash("Splash");
    EXPECT_THROW(qt::execDialog(splash, nullptr), std::logic_error);
}

TEST(DialogForms, AModalDialogClosesWithItsButtonsResult) {
    test::FakeHost host;
    Program program(host);
    TFormOptions& options = *program.dialogs().FormOptions;
    program.main().Opts.ComPort = 2;

    struct Case {
        const char* button;
        ModalResult result;
        int comPort;
    };
    const Case cases[] = {{"ButtonOptionsCancel", ModalResult::Cancel, 2}, {"ButtonOptionsOk", ModalResult::Ok, 4}};
    for (const Case& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Options");
            dialog->findChild<QWidget*>("RBCom4")->metaObject()->invokeMethod(dialog->findChild<QWidget*>("RBCom4"), "click");
            dialog->findChild<QPushButton*>(c.button)->click();
        });
        EXPECT_EQ(qt::execDialog(options, nullptr), c.result) << c.button;
        EXPECT_EQ(program.main().Opts.ComPort, c.comPort) << c.button;
    }
}

// The Options dialog ends under its buttons, or under its note when there
// is one, and the note shows all its lines.
TEST(DialogForms, TheOptionsDialogEndsUnderItsButtonsOrItsNote) {
    test::FakeHost host;
    Program program(host);
    test::FakeSerialDevices ports;
    const std::string s0 = ports.plug("ttyS0");
    struct Case {
        std::map<int, std::string> choices;
        bool note;
    };
    const Case cases[] = {{{}, false}, {{{1, s0}, {2, s0}, {3, s0}}, true}};
    for (const Case& c : cases) {
        if (!c.choices.empty()) {
            ASSERT_TRUE(ports.map.saveChoices(c.choices));
        }
        bool measured = false;
        QTimer::singleShot(0, [&] {
            QApplication::processEvents();
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            const QRect buttons = dialog->findChild<QPushButton*>("ButtonOptionsOk")->geometry();
            auto* note = dialog->findChild<QLabel*>("LabelComNote");
            // Only a laid-out dialog closes up round what it shows.
            const int margin = dialog->layout() != nullptr ? dialog->layout()->contentsMargins().bottom() : 0;
            EXPECT_NE(dialog->layout(), nullptr);
            EXPECT_EQ(note->isVisible(), c.note);
            const int lastBottom = c.note ? note->geometry().bottom() : buttons.bottom();
            EXPECT_EQ(dialog->height() - 1 - lastBottom, margin) << "note: " << c.note;
            if (c.note) {
                EXPECT_GT(note->geometry().top(), buttons.bottom());
                EXPECT_GE(note->height(), note->heightForWidth(note->width()));
                EXPECT_EQ(note->width(), dialog->width() - 2 * margin);
            }
            measured = true;
            dialog->close();
        });
        qt::execDialog(*program.dialogs().FormOptions, nullptr);
        EXPECT_TRUE(measured);
    }
}

TEST(DialogForms, ClosingTheWindowCancels) {
    test::FakeHost host;
    Program program(host);
    TFormAbout& about = *program.dialogs().FormAbout;
    program.main().AboutLine1 = "First";
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLabel*>("LabelAbout1st")->text(), "First");
        dialog->close();
    });
    EXPECT_EQ(qt::execDialog(about, nullptr), ModalResult::Cancel);
}

// Compare with Processor's list: one row per setting with its three
// columns, Upload These closes with OK, Escape with Cancel.
TEST(DialogForms, TheCompareListShowsOneRowPerSetting) {
    test::FakeHost host;
    Program program(host);
    TFormCompare& compare = *program.dialogs().FormCompare;
    SettingDifference centre{{12}, "Speaker Settings", "Center level", "0 dB", "-1.5 dB"};
    SettingDifference name{{160, 161}, "Source 1", "Source 1 name", "DVD", "DXX"};
    compare.setDifferences({{12, 0x12, 110, 108}, {160, 0x2BF, 'V', 'X'}, {161, 0x2C0, 'D', 'X'}}, {centre, name});

    struct Case {
        bool upload;
        ModalResult result;
    };
    for (const Case& c : {Case{true, ModalResult::Ok}, Case{false, ModalResult::Cancel}}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Compare with Processor");
            auto* table = dialog->findChild<QTableWidget*>("GridDifferences");
            ASSERT_NE(table, nullptr);
            ASSERT_EQ(table->rowCount(), 2);
            ASSERT_EQ(table->columnCount(), 3);
            EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Processor");
            EXPECT_EQ(table->item(0, 0)->text(), "Speaker Settings / Center level");
            EXPECT_EQ(table->item(0, 2)->text(), "-1.5 dB");
            EXPECT_EQ(table->item(1, 1)->text(), "DVD");
            EXPECT_EQ(dialog->findChild<QLabel*>("LabelCompare")->text(), "2 settings differ from the processor.");
            if (c.upload)
                dialog->findChild<QPushButton*>("ButtonUploadThese")->click();
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        EXPECT_EQ(qt::execDialog(compare, nullptr), c.result) << c.upload;
    }
}
