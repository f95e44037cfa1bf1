// The keyboard and mouse behaviour the binder gives a form's controls: an
// edit's focus loss reaches the model, the wheel changes only the list or
// scroll bar that has the focus, the radio buttons of one parent widget are
// one tab stop and the arrow keys choose within them, and the keys step a
// scroll bar the same way in both orientations.
#include "FormBinder.h"

#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

namespace tavro::qt {

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    if (auto* bar = qobject_cast<QScrollBar*>(watched);
        bar != nullptr && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A scroll bar draws no focus frame of its own: the focused one
        // shows its thumb in the highlight colour.
        QPalette pal;
        if (event->type() == QEvent::FocusIn) {
            pal = bar->palette();
            pal.setColor(QPalette::Button, pal.color(QPalette::Highlight).lighter(160));
        }
        bar->setPalette(pal);
    }
    switch (event->type()) {
        case QEvent::FocusOut:
            if (syncing_) break;
            for (const Binding& b : bindings_)
                if (b.object == watched && b.control->kind() == ControlKind::Edit) {
                    auto* edit = static_cast<Edit*>(b.control);
                    userAction(
                        *edit, [edit] { edit->userExit(); }, true);
                    break;
                }
            break;
        case QEvent::Wheel:
            // A list or scroll bar that the pointer merely crosses keeps its
            // value: the wheel changes only the control the user works in.
            // The parent sees the ignored event instead.
            if (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && !w->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (auto* radio = qobject_cast<QRadioButton*>(watched))
                return moveInRadioGroup(radio, static_cast<QKeyEvent*>(event)->key());
            if (auto* bar = qobject_cast<QScrollBar*>(watched))
                return stepScrollBar(bar, *static_cast<QKeyEvent*>(event));
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

std::vector<QRadioButton*>& FormBinder::radioGroup(QWidget* parent) {
    for (RadioGroup& g : radioGroups_)
        if (g.parent == parent) return g.buttons;
    radioGroups_.push_back({parent, {}});
    return radioGroups_.back().buttons;
}

bool FormBinder::moveInRadioGroup(QRadioButton* from, int key) {
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right) step = 1;
    if (key == Qt::Key_Up || key == Qt::Key_Left) step = -1;
    if (step == 0) return false;
    const std::vector<QRadioButton*>& group = radioGroup(from->parentWidget());
    const auto count = static_cast<int>(group.size());
    const auto at = static_cast<int>(std::find(group.begin(), group.end(), from) - group.begin());
    // The arrow keys go round the group's shown and enabled buttons and
    // choose the one they reach, as a click on it does.
    for (int i = 1; i < count; ++i) {
        QRadioButton* next = group[static_cast<std::size_t>(((at + step * i) % count + count) % count)];
        if (next->isHidden() || !next->isEnabled()) continue;
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        if (!next->isChecked()) next->click();
        return true;
    }
    return true;
}

bool FormBinder::stepScrollBar(QScrollBar* bar, const QKeyEvent& key) {
    // Left and Up step down, Right and Down step up, Page Up and Page Down
    // by the large step, Home and End to the ends (Qt's own scroll bar
    // turns the horizontal arrows round).
    if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier) return false;
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: action = QAbstractSlider::SliderSingleStepSub; break;
        case Qt::Key_Right:
        case Qt::Key_Down: action = QAbstractSlider::SliderSingleStepAdd; break;
        case Qt::Key_PageUp: action = QAbstractSlider::SliderPageStepSub; break;
        case Qt::Key_PageDown: action = QAbstractSlider::SliderPageStepAdd; break;
        case Qt::Key_Home: action = QAbstractSlider::SliderToMinimum; break;
        case Qt::Key_End: action = QAbstractSlider::SliderToMaximum; break;
        default: return false;
    }
    bar->triggerAction(action);
    return true;
}

void FormBinder::updateRadioTabStops() {
    // A group of radio buttons is one tab stop: its checked button, or its
    // first usable one while none is checked.
    for (const RadioGroup& g : radioGroups_) {
        QRadioButton* stop = nullptr;
        for (QRadioButton* b : g.buttons) {
            if (b->isHidden() || !b->isEnabled()) continue;
            if (stop == nullptr) stop = b;
            if (b->isChecked()) {
                stop = b;
                break;
            }
        }
        for (QRadioButton* b : g.buttons) b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace tavro::qt
