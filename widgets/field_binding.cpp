#include "widgets/field_binding.h"

#include "platform/prompter.h"

#include <QAbstractButton>
#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

namespace widgets {

namespace {

FieldHandler &enterHook()
{
    static FieldHandler hook;
    return hook;
}

int suppressCount = 0;

bool ignoredReason(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Sits on one control as its child and event filter; holds the handlers bound to it.
class FieldWatcher : public QObject
{
public:
    explicit FieldWatcher(QWidget *control) : QObject(control), m_control(control), m_meta(control->metaObject())
    {
        control->installEventFilter(this);
    }

    FieldHandler onExit;
    FieldHandler onEnter;
    FieldHandler onCommit;
    bool enterBound = false;

    // A control in its destructor has already lost its own class: its meta object is
    // that of a base class by then.
    bool Alive() const { return m_control->metaObject() == m_meta; }

    bool Runnable() const { return !FieldEventsSuppressed() && Alive(); }

    void RunExit()
    {
        if (!onExit || m_inExit)
            return;
        const QScopedValueRollback<bool> inExit(m_inExit, true);
        FieldHandler handler = onExit; // the handler may rebind the control
        handler(m_control);
    }

    void RunEnter()
    {
        if (onEnter) {
            FieldHandler handler = onEnter;
            handler(m_control);
        }
        if (enterHook())
            enterHook()(m_control);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_control)
            return false;
        if (event->type() == QEvent::FocusOut) {
            auto *fe = static_cast<QFocusEvent *>(event);
            // The focus is already where it went: into the control's own cell editor, it is
            // still in the control.
            const QWidget *now = QApplication::focusWidget();
            const bool within = now && m_control->isAncestorOf(now);
            if (onExit && !within && !ignoredReason(fe->reason()) && !platform::MessageBoxActive() && Runnable())
                RunExit();
        } else if (event->type() == QEvent::FocusIn) {
            auto *fe = static_cast<QFocusEvent *>(event);
            if (enterBound && !ignoredReason(fe->reason()) && !platform::MessageBoxActive() && Runnable())
                RunEnter();
        }
        return false;
    }

private:
    QWidget *m_control;
    const QMetaObject *m_meta;
    bool m_inExit = false;
};

FieldWatcher *findWatcher(QWidget *control)
{
    if (!control)
        return nullptr;
    for (QObject *child : control->children()) {
        if (auto *w = dynamic_cast<FieldWatcher *>(child))
            return w;
    }
    return nullptr;
}

FieldWatcher *watcherFor(QWidget *control)
{
    if (FieldWatcher *w = findWatcher(control))
        return w;
    return new FieldWatcher(control);
}

} // namespace

FieldHandler SetFieldEnterHook(FieldHandler hook)
{
    FieldHandler previous = enterHook();
    enterHook() = std::move(hook);
    return previous;
}

void BindExit(QWidget *editor, FieldHandler onExit)
{
    if (!editor)
        return;
    FieldWatcher *w = watcherFor(editor);
    w->onExit = onExit;
    w->onCommit = [w](QWidget *) { w->RunExit(); };
}

void BindEnter(QWidget *control, FieldHandler onEnter)
{
    if (!control)
        return;
    FieldWatcher *w = watcherFor(control);
    w->onEnter = std::move(onEnter);
    w->enterBound = true;
}

void BindTyping(QWidget *editor, FieldHandler onTyped)
{
    if (!editor || !onTyped)
        return;
    QPointer<FieldWatcher> guard(watcherFor(editor));
    auto run = [guard, editor, onTyped] {
        if (guard && guard->Runnable())
            onTyped(editor);
    };
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        QObject::connect(edit, &QLineEdit::textEdited, guard.data(), run);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
        // A plain-text edit tells no typing from setPlainText: the user types only into the
        // editor that has the focus.
        QObject::connect(memo, &QPlainTextEdit::textChanged, guard.data(), [memo, run] {
            if (memo->hasFocus())
                run();
        });
    }
}

void BindComboChange(QComboBox *combo, FieldHandler onChange)
{
    if (!combo)
        return;
    FieldWatcher *w = watcherFor(combo);
    w->onCommit = onChange;
    QPointer<FieldWatcher> guard(w);
    QObject::connect(combo, &QComboBox::activated, w, [guard, combo](int) {
        if (guard && guard->Runnable() && guard->onCommit) {
            FieldHandler handler = guard->onCommit;
            handler(combo);
        }
    });
}

void BindCheckClick(QAbstractButton *checkBox, FieldHandler onClick)
{
    if (!checkBox)
        return;
    FieldWatcher *w = watcherFor(checkBox);
    w->onCommit = onClick;
    QPointer<FieldWatcher> guard(w);
    QObject::connect(checkBox, &QAbstractButton::toggled, w, [guard, checkBox](bool) {
        if (guard && guard->Runnable() && guard->onCommit) {
            FieldHandler handler = guard->onCommit;
            handler(checkBox);
        }
    });
}

void BindButtonClick(QAbstractButton *button, FieldHandler onClick)
{
    if (!button)
        return;
    FieldWatcher *w = watcherFor(button);
    QPointer<FieldWatcher> guard(w);
    QObject::connect(button, &QAbstractButton::clicked, w, [guard, button, onClick](bool) {
        if (guard && guard->Runnable() && onClick)
            onClick(button);
    });
}

bool CommitField(QWidget *control)
{
    FieldWatcher *w = findWatcher(control);
    if (!w || !w->onCommit || !w->Alive())
        return false;
    CommitOpenCellEditor(control);
    FieldHandler handler = w->onCommit;
    handler(control);
    return true;
}

bool HasCommitHandler(QWidget *control)
{
    FieldWatcher *w = findWatcher(control);
    return w && w->onCommit;
}

namespace {

QAbstractItemView *itemViewOf(QWidget *control)
{
    for (QWidget *w = control; w; w = w->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(w))
            return view;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

QWidget *OpenCellEditor(QWidget *control)
{
    QAbstractItemView *view = itemViewOf(control);
    if (!view)
        return nullptr;
    const QModelIndex index = view->currentIndex();
    // The view gives the editor open at a cell as the cell's widget.
    return index.isValid() ? view->indexWidget(index) : nullptr;
}

bool CommitOpenCellEditor(QWidget *control)
{
    QWidget *editor = OpenCellEditor(control);
    QAbstractItemView *view = itemViewOf(control);
    if (!editor || !view)
        return false;
    QAbstractItemDelegate *delegate = view->itemDelegateForIndex(view->currentIndex());
    if (!delegate)
        return false;
    // What the delegate does when the editor is left, without leaving it: the view stores
    // the editor's text through the delegate and the editor stays open.
    emit delegate->commitData(editor);
    return true;
}

void ReturnFocusLater(QWidget *control)
{
    if (!control)
        return;
    QPointer<QWidget> target(control);
    QTimer::singleShot(0, control, [target] {
        if (target && target->isEnabled())
            target->setFocus(Qt::OtherFocusReason);
    });
}

FieldEventSuppressor::FieldEventSuppressor()
{
    ++suppressCount;
}

FieldEventSuppressor::~FieldEventSuppressor()
{
    --suppressCount;
}

bool FieldEventsSuppressed()
{
    return suppressCount > 0;
}

} // namespace widgets
