// Connects the widgets of a Designer form to a form model by name: each
// widget or action whose objectName is a control's name shows that control,
// and a user action on it calls the model. After every handled event the
// binder writes the whole model state back into the widgets with their
// signals blocked.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTabWidget>
#include <functional>
#include <vector>

#include "controls/Controls.h"

class QKeyEvent;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QWidget;

namespace tavro::qt {

// Whether a widget or action of this class can show a control of this kind.
bool widgetFitsKind(const QObject* object, ControlKind kind);

// Objects of a form that are named but are not program controls: static
// texts ("static..."), structural widgets ("ui...") and Qt's own children.
bool isStructuralName(const QString& name);

class FormBinder : public QObject {
    Q_OBJECT
public:
    // root: the form's top-level widget; every control must have a widget.
    FormBinder(ControlRegistry& model, QWidget* root, QObject* parent = nullptr);

    // Writes the model state into the widgets.
    void sync();
    // Controls without a fitting widget (empty when the form is complete).
    const std::vector<std::string>& unbound() const { return unbound_; }
    QObject* objectFor(const std::string& name) const;
    // Runs every user action of the form; without one the binder runs the
    // action itself. leaving: a text field loses the focus.
    std::function<void(Control&, const std::function<void()>&, bool leaving)> actionRunner;

signals:
    // A form model set its modal result (1 for OK, 0 otherwise).
    void modalResultSet(int ok);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        Control* control;
        QObject* object;
    };
    void bind(Control& control, QObject* object);
    void syncOne(const Binding& b);
    void syncGrid(const Grid& grid, QTableWidget* table);
    // Runs a user action through the runner, then writes the state back.
    void userAction(Control& control, const std::function<void()>& action, bool leaving = false);
    void afterUserAction();
    // The radio buttons of one parent widget, in creation order.
    std::vector<QRadioButton*>& radioGroup(QWidget* parent);
    bool moveInRadioGroup(QRadioButton* from, int key);
    void updateRadioTabStops();
    bool stepScrollBar(QScrollBar* bar, const QKeyEvent& key);

    ControlRegistry& model_;
    QPointer<QWidget> root_;
    std::vector<Binding> bindings_;
    std::vector<std::string> unbound_;
    struct TabPage {
        QTabWidget* tabs;
        QWidget* page;
        QString caption;
        int order;
    };
    std::vector<TabPage> tabPages_;
    struct RadioGroup {
        QWidget* parent;
        std::vector<QRadioButton*> buttons;
    };
    std::vector<RadioGroup> radioGroups_;
    bool syncing_ = false;
};

}  // namespace tavro::qt
