#include "FormBinder.h"

#include "forms/Host.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>

namespace tavro::qt {

namespace {

QString fromModel(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string toModel(const QString& s) { return s.toLatin1().toStdString(); }

void setColors(QWidget* w, Rgb base, Rgb text) {
    QPalette pal = w->palette();
    if (base != NoColor) pal.setColor(QPalette::Base, QColor::fromRgb(static_cast<QRgb>(base)));
    if (text != NoColor) pal.setColor(QPalette::Text, QColor::fromRgb(static_cast<QRgb>(text)));
    w->setPalette(pal);
}

// A container the rules gave a height takes it, keeping its width and
// place; back at FormHeight it returns to the height the form gave it.
void applyHeight(QWidget* w, const Container& c) {
    const char* const formHeight = "tavroFormHeight";
    if (c.height() != FormHeight && !w->property(formHeight).isValid()) w->setProperty(formHeight, w->height());
    if (!w->property(formHeight).isValid()) return;
    const int height = c.height() == FormHeight ? w->property(formHeight).toInt() : c.height();
    if (w->height() != height) w->resize(w->width(), height);
}

// Qt shows a plain-text tooltip on one line however long it is, and
// wraps rich text only to about twice the window's width: every plain
// tooltip is broken into lines of at most TipLineLength characters.
constexpr qsizetype TipLineLength = 72;

QString wrapTipText(const QString& tip) {
    QStringList lines;
    for (const QString& paragraph : tip.split('\n')) {
        QString line;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > TipLineLength) {
                lines << line;
                line.clear();
            }
            line += (line.isEmpty() ? "" : " ") + word;
        }
        lines << line;
    }
    return lines.join('\n');
}

void wrapToolTips(QWidget* root) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        const QString tip = w->toolTip();
        if (!tip.isEmpty() && !Qt::mightBeRichText(tip)) w->setToolTip(wrapTipText(tip));
    }
}

bool isTabPage(const QObject* o) {
    auto* w = qobject_cast<const QWidget*>(o);
    if (w == nullptr) return false;
    auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
    return stack != nullptr && qobject_cast<const QTabWidget*>(stack->parentWidget()) != nullptr;
}

}  // namespace

bool isStructuralName(const QString& name) {
    return name.isEmpty() || name.startsWith("static") || name.startsWith("ui") || name.startsWith("qt_");
}

bool widgetFitsKind(const QObject* o, ControlKind kind) {
    switch (kind) {
        case ControlKind::List: return qobject_cast<const QComboBox*>(o) != nullptr;
        case ControlKind::CheckBox: return qobject_cast<const QCheckBox*>(o) != nullptr;
        case ControlKind::RadioButton: return qobject_cast<const QRadioButton*>(o) != nullptr;
        case ControlKind::ScrollBar: return qobject_cast<const QScrollBar*>(o) != nullptr;
        case ControlKind::Edit: return qobject_cast<const QLineEdit*>(o) != nullptr;
        case ControlKind::Label:
        case ControlKind::Image: return qobject_cast<const QLabel*>(o) != nullptr;
        case ControlKind::Button: return qobject_cast<const QPushButton*>(o) != nullptr;
        case ControlKind::GroupBox: return qobject_cast<const QGroupBox*>(o) != nullptr;
        case ControlKind::TabSheet: return isTabPage(o);
        case ControlKind::MenuItem:
            return qobject_cast<const QAction*>(o) != nullptr || qobject_cast<const QMenu*>(o) != nullptr ||
                   qobject_cast<const QMenuBar*>(o) != nullptr;
        case ControlKind::Memo: return qobject_cast<const QPlainTextEdit*>(o) != nullptr;
        case ControlKind::Panel:
            return qobject_cast<const QFrame*>(o) != nullptr && qobject_cast<const QLabel*>(o) == nullptr;
        case ControlKind::ProgressBar: return qobject_cast<const QProgressBar*>(o) != nullptr;
        case ControlKind::Timer: return qobject_cast<const QTimer*>(o) != nullptr;
        case ControlKind::Grid: return qobject_cast<const QTableWidget*>(o) != nullptr;
    }
    return false;
}

FormBinder::FormBinder(ControlRegistry& model, QWidget* root, QObject* parent)
    : QObject(parent), model_(model), root_(root) {
    for (Control* c : model.controls()) {
        QString name = QString::fromStdString(c->name());
        QObject* found = nullptr;
        if (root->objectName() == name) found = root;
        if (found == nullptr) {
            const auto candidates = root->findChildren<QObject*>(name);
            for (QObject* o : candidates)
                if (widgetFitsKind(o, c->kind())) {
                    found = o;
                    break;
                }
        }
        if (found == nullptr && c->kind() == ControlKind::Timer) {
            // Timers have no Designer widget; the binder owns a real one.
            auto* t = new QTimer(this);
            t->setObjectName(name);
            t->setTimerType(Qt::PreciseTimer);
            found = t;
        }
        if (found == nullptr) {
            unbound_.push_back(c->name());
            continue;
        }
        bind(*c, found);
    }
    wrapToolTips(root);
    sync();
}

QObject* FormBinder::objectFor(const std::string& name) const {
    for (const Binding& b : bindings_)
        if (b.control->name() == name) return b.object;
    return nullptr;
}

void FormBinder::bind(Control& control, QObject* object) {
    bindings_.push_back({&control, object});
    switch (control.kind()) {
        case ControlKind::List: {
            auto* list = static_cast<ListBox*>(&control);
            auto* combo = static_cast<QComboBox*>(object);
            connect(combo, &QComboBox::activated, this,
                    [this, list](int index) { userAction(*list, [&] { list->userSelect(index); }); });
            // The wheel does not give a list the focus (see eventFilter).
            combo->setFocusPolicy(Qt::StrongFocus);
            combo->installEventFilter(this);
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = static_cast<CheckBox*>(&control);
            connect(static_cast<QCheckBox*>(object), &QCheckBox::clicked, this,
                    [this, box] { userAction(*box, [&] { box->userClick(); }); });
            break;
        }
        case ControlKind::RadioButton: {
            auto* radio = static_cast<RadioButton*>(&control);
            auto* button = static_cast<QRadioButton*>(object);
            connect(button, &QRadioButton::clicked, this,
                    [this, radio] { userAction(*radio, [&] { radio->userClick(); }); });
            radioGroup(button->parentWidget()).push_back(button);
            button->installEventFilter(this);
            break;
        }
        case ControlKind::ScrollBar: {
            auto* bar = static_cast<ScrollBar*>(&control);
            auto* sb = static_cast<QScrollBar*>(object);
            connect(sb, &QScrollBar::valueChanged, this, [this, bar](int value) {
                if (syncing_) return;
                userAction(*bar, [&] { bar->userSetPosition(value); });
            });
            sb->installEventFilter(this);
            break;
        }
        case ControlKind::Edit: {
            auto* edit = static_cast<Edit*>(&control);
            auto* line = static_cast<QLineEdit*>(object);
            connect(line, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
                userAction(*edit, [&] { edit->userSetText(toModel(text)); });
            });
            line->installEventFilter(this);
            break;
        }
        case ControlKind::Grid: {
            auto* grid = static_cast<Grid*>(&control);
            connect(static_cast<QTableWidget*>(object), &QTableWidget::currentCellChanged, this, [this, grid](int row) {
                if (syncing_) return;
                userAction(*grid, [&] { grid->userSelectRow(row); });
            });
            break;
        }
        case ControlKind::Button: {
            auto* button = static_cast<Button*>(&control);
            connect(static_cast<QPushButton*>(object), &QPushButton::clicked, this,
                    [this, button] { userAction(*button, [&] { button->userClick(); }); });
            break;
        }
        case ControlKind::MenuItem: {
            auto* item = static_cast<MenuItem*>(&control);
            if (auto* action = qobject_cast<QAction*>(object)) {
                action->setSeparator(item->separator());
                connect(action, &QAction::triggered, this,
                        [this, item] { userAction(*item, [&] { item->userClick(); }); });
            }
            break;
        }
        case ControlKind::TabSheet: {
            auto* page = static_cast<QWidget*>(object);
            auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
            int index = tabs->indexOf(page);
            tabPages_.push_back({tabs, page, tabs->tabText(index), index});
            break;
        }
        case ControlKind::Timer: {
            auto* timer = static_cast<Timer*>(&control);
            connect(static_cast<QTimer*>(object), &QTimer::timeout, this, [this, timer] {
                timer->fire();
                afterUserAction();
            });
            break;
        }
        default: break;
    }
}

void FormBinder::userAction(Control& control, const std::function<void()>& action, bool leaving) {
    if (actionRunner)
        actionRunner(control, action, leaving);
    else
        action();
    afterUserAction();
}

void FormBinder::afterUserAction() {
    // A handler may have closed the form and with it this binder's widgets.
    if (!root_) return;
    sync();
    if (auto* form = dynamic_cast<Form*>(&model_); form != nullptr && form->modalResult() != ModalResult::None)
        emit modalResultSet(form->modalResult() == ModalResult::Ok ? 1 : 0);
}

void FormBinder::sync() {
    syncing_ = true;
    if (auto* form = dynamic_cast<Form*>(&model_); form != nullptr && root_ && root_->isWindow())
        root_->setWindowTitle(fromModel(form->caption()));
    for (const Binding& b : bindings_) syncOne(b);
    updateRadioTabStops();
    syncing_ = false;
}

// A grid's cells are rewritten only when they changed, so the user's place
// in a long list stays where it is.
void FormBinder::syncGrid(const Grid& grid, QTableWidget* table) {
    const int columns = static_cast<int>(grid.columns().size());
    const int rows = static_cast<int>(grid.rows().size());
    bool sameColumns = table->columnCount() == columns;
    for (int col = 0; sameColumns && col < columns; ++col) {
        const QTableWidgetItem* header = table->horizontalHeaderItem(col);
        sameColumns = header != nullptr && header->text() == fromModel(grid.columns()[static_cast<std::size_t>(col)]);
    }
    if (!sameColumns) {
        table->setColumnCount(columns);
        QStringList captions;
        for (const std::string& c : grid.columns()) captions << fromModel(c);
        table->setHorizontalHeaderLabels(captions);
    }
    bool same = table->rowCount() == rows;
    for (int r = 0; same && r < rows; ++r)
        for (int col = 0; same && col < columns; ++col) {
            const auto& cells = grid.rows()[static_cast<std::size_t>(r)];
            const QTableWidgetItem* item = table->item(r, col);
            const std::string cell = col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)] : "";
            same = item != nullptr && item->text() == fromModel(cell);
        }
    if (same) {
        // The row the model picked (a list read again) is the current one.
        if (grid.row() >= 0 && table->currentRow() != grid.row()) table->selectRow(grid.row());
        return;
    }
    table->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const auto& cells = grid.rows()[static_cast<std::size_t>(r)];
        for (int col = 0; col < columns; ++col) {
            const std::string cell = col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)] : "";
            table->setItem(r, col, new QTableWidgetItem(fromModel(cell)));
        }
    }
    table->resizeColumnsToContents();
    if (grid.row() >= 0) table->selectRow(grid.row());
}

void FormBinder::syncOne(const Binding& b) {
    Control& c = *b.control;
    QObject* o = b.object;
    QSignalBlocker block(o);
    auto* w = qobject_cast<QWidget*>(o);
    // A menu's visibility is its entry in the menu bar; showing the menu
    // widget itself would pop it up.
    if (w != nullptr && c.kind() != ControlKind::TabSheet && qobject_cast<QMenu*>(w) == nullptr) {
        w->setEnabled(c.enabled());
        if (w != root_) w->setVisible(c.visible());
    }
    switch (c.kind()) {
        case ControlKind::List: {
            auto& list = static_cast<ListBox&>(c);
            auto* combo = static_cast<QComboBox*>(o);
            bool same = combo->count() == list.count();
            for (int i = 0; same && i < list.count(); ++i)
                same = combo->itemText(i) == fromModel(list.items()[static_cast<std::size_t>(i)]);
            if (!same) {
                combo->clear();
                for (const auto& item : list.items()) combo->addItem(fromModel(item));
            }
            combo->setCurrentIndex(list.itemIndex());
            break;
        }
        case ControlKind::CheckBox: {
            auto& box = static_cast<CheckBox&>(c);
            auto* cb = static_cast<QCheckBox*>(o);
            cb->setText(fromModel(box.caption()));
            cb->setChecked(box.checked());
            break;
        }
        case ControlKind::RadioButton: {
            auto& radio = static_cast<RadioButton&>(c);
            auto* rb = static_cast<QRadioButton*>(o);
            rb->setText(fromModel(radio.caption()));
            // Exclusivity is the model's: Qt's own would refuse to uncheck.
            rb->setAutoExclusive(false);
            rb->setChecked(radio.checked());
            break;
        }
        case ControlKind::ScrollBar: {
            auto& bar = static_cast<ScrollBar&>(c);
            auto* sb = static_cast<QScrollBar*>(o);
            sb->setRange(bar.min(), bar.max());
            sb->setPageStep(bar.largeStep());
            sb->setValue(bar.position());
            break;
        }
        case ControlKind::Edit: {
            auto& edit = static_cast<Edit&>(c);
            auto* line = static_cast<QLineEdit*>(o);
            // QLineEdit forgets its undo history on setText and setMaxLength
            // (which sets the text again): what is already so is left alone.
            if (line->text() != fromModel(edit.text())) line->setText(fromModel(edit.text()));
            if (edit.maxLength() > 0 && line->maxLength() != edit.maxLength()) line->setMaxLength(edit.maxLength());
            if (line->isReadOnly() != edit.readOnly()) line->setReadOnly(edit.readOnly());
            setColors(line, edit.color(), edit.fontColor());
            break;
        }
        case ControlKind::Label: static_cast<QLabel*>(o)->setText(fromModel(c.caption())); break;
        case ControlKind::Button: static_cast<QPushButton*>(o)->setText(fromModel(c.caption())); break;
        case ControlKind::GroupBox:
            static_cast<QGroupBox*>(o)->setTitle(fromModel(c.caption()));
            applyHeight(w, static_cast<const Container&>(c));
            break;
        case ControlKind::MenuItem: {
            auto& item = static_cast<MenuItem&>(c);
            if (auto* action = qobject_cast<QAction*>(o)) {
                if (!item.separator()) {
                    action->setText(fromModel(item.caption()));
                    // A view may give an item more keys after the model's own.
                    const QKeySequence keys(QString::fromStdString(item.shortcut()));
                    if (action->shortcut() != keys) action->setShortcut(keys);
                }
                action->setEnabled(item.enabled());
                action->setVisible(item.visible());
            } else if (auto* bar = qobject_cast<QMenuBar*>(o)) {
                bar->setEnabled(item.enabled());
            } else if (auto* menu = qobject_cast<QMenu*>(o)) {
                menu->setTitle(fromModel(item.caption()));
                menu->menuAction()->setEnabled(item.enabled());
                menu->menuAction()->setVisible(item.visible());
                menu->setEnabled(item.enabled());
            }
            break;
        }
        case ControlKind::TabSheet: {
            for (const TabPage& t : tabPages_)
                if (t.page == o) {
                    int index = t.tabs->indexOf(t.page);
                    t.tabs->setTabVisible(index, c.visible());
                    t.tabs->setTabText(index, fromModel(c.caption()));
                    t.page->setEnabled(c.enabled());
                }
            break;
        }
        case ControlKind::Image: {
            auto& image = static_cast<Image&>(c);
            auto* label = static_cast<QLabel*>(o);
            QString file = QString::fromStdString(image.pictureFile());
            if (label->property("tavroPicture").toString() != file) {
                label->setProperty("tavroPicture", file);
                label->setPixmap(file.isEmpty() ? QPixmap() : QPixmap(file));
            }
            break;
        }
        case ControlKind::Memo: {
            auto& memo = static_cast<Memo&>(c);
            auto* text = static_cast<QPlainTextEdit*>(o);
            QStringList lines;
            for (const auto& l : memo.lines()) lines << fromModel(l);
            QString joined = lines.join('\n');
            if (text->toPlainText() != joined) text->setPlainText(joined);
            setColors(text, memo.color(), memo.fontColor());
            break;
        }
        case ControlKind::Panel: applyHeight(w, static_cast<const Container&>(c)); break;
        case ControlKind::Grid: syncGrid(static_cast<const Grid&>(c), static_cast<QTableWidget*>(o)); break;
        case ControlKind::ProgressBar: {
            auto& bar = static_cast<ProgressBar&>(c);
            auto* pb = static_cast<QProgressBar*>(o);
            pb->setRange(bar.min(), bar.max());
            pb->setValue(bar.position());
            break;
        }
        case ControlKind::Timer: {
            auto& timer = static_cast<Timer&>(c);
            auto* t = static_cast<QTimer*>(o);
            // Setting the interval of a running QTimer restarts it. Left
            // alone, a tick is timed from the start of the one before: after
            // a handler that took longer than the interval (an exchange with
            // the processor) the next tick follows at once, once the pending
            // window events (an Abort click among them) have been handled.
            if (t->interval() != timer.interval()) t->setInterval(timer.interval());
            if (timer.enabled() && !t->isActive()) t->start();
            if (!timer.enabled() && t->isActive()) t->stop();
            break;
        }
    }
}

}  // namespace tavro::qt
