#include "widgets/field_binding.h"

#include "platform/prompter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QValidator>

#include <memory>

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
            if (onExit && !ignoredReason(fe->reason()) && !platform::MessageBoxActive() && Runnable())
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
    FieldHandler handler = w->onCommit;
    handler(control);
    return true;
}

bool HasCommitHandler(QWidget *control)
{
    FieldWatcher *w = findWatcher(control);
    return w && w->onCommit;
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

namespace {

// The limit of what the user may type. QLineEdit's own maximum length would also cut the
// text the program sets - a stored value longer than the field's limit would be shown cut
// and, once the field is left, saved cut - so the limit is a validator, which the program's
// setText does not consult.
class TypedLengthLimit : public QValidator
{
public:
    TypedLengthLimit(int maxLength, QObject *parent) : QValidator(parent), m_max(maxLength) {}
    State validate(QString &input, int &) const override { return input.size() > m_max ? Invalid : Acceptable; }
    void SetMax(int maxLength) { m_max = maxLength; }
    int Max() const { return m_max; }

private:
    int m_max;
};

} // namespace

void SetEditMaxLength(QLineEdit *edit, int maxLength)
{
    if (!edit)
        return;
    // QLineEdit's own default is its "no limit".
    edit->setMaxLength(32767);
    auto *limit = dynamic_cast<TypedLengthLimit *>(const_cast<QValidator *>(edit->validator()));
    if (maxLength <= 0) {
        if (limit) {
            edit->setValidator(nullptr);
            delete limit;
        }
        return;
    }
    if (limit)
        limit->SetMax(maxLength);
    else
        edit->setValidator(new TypedLengthLimit(maxLength, edit));
}

int EditMaxLength(const QLineEdit *edit)
{
    const auto *limit = edit ? dynamic_cast<const TypedLengthLimit *>(edit->validator()) : nullptr;
    return limit ? limit->Max() : 0;
}

void SetMemoText(QPlainTextEdit *memo, const QString &text)
{
    if (!memo)
        return;
    const QVariant limit = memo->property("tarvelinMaxLength");
    memo->setProperty("tarvelinMaxLength", 0);
    memo->setPlainText(text);
    memo->setProperty("tarvelinMaxLength", limit);
}

void SetMemoMaxLength(QPlainTextEdit *memo, int maxLength)
{
    if (!memo)
        return;
    memo->setProperty("tarvelinMaxLength", maxLength);
    if (memo->property("tarvelinMaxLengthBound").toBool())
        return;
    memo->setProperty("tarvelinMaxLengthBound", true);
    QTextDocument *doc = memo->document();
    // The position of the last insertion is taken from contentsChange; the text is cut
    // only afterwards (textChanged), when the document is no longer in the middle of an edit.
    auto last = std::make_shared<std::pair<int, int>>(0, 0);
    QObject::connect(doc, &QTextDocument::contentsChange, memo, [last](int position, int, int added) {
        *last = {position, added};
    });
    // The cut below changes the text again: that change is the cut's own, not an insertion.
    auto cutting = std::make_shared<bool>(false);
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, doc, last, cutting] {
        if (*cutting)
            return;
        const QScopedValueRollback<bool> cut(*cutting, true);
        const int limit = memo->property("tarvelinMaxLength").toInt();
        const auto [position, added] = *last;
        *last = {0, 0};
        if (limit <= 0)
            return;
        const int length = doc->characterCount() - 1; // the final paragraph mark is not text
        const int excess = length - limit;
        if (excess <= 0 || added <= 0)
            return; // within the limit, or nothing inserted (a deletion never cuts)
        // Cut what was just inserted, from its end, so the text already there stays - also a
        // stored text that was longer than the limit before: a keystroke must not shorten it.
        // When the document reports an insertion it no longer holds, cut the end.
        QTextCursor cursor(doc);
        if (added > 0 && position + added <= length) {
            const int cut = std::min(excess, added);
            cursor.setPosition(position + added - cut);
            cursor.setPosition(position + added, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            return;
        }
        const int rest = doc->characterCount() - 1 - limit;
        if (rest > 0) {
            cursor.setPosition(limit);
            cursor.setPosition(limit + rest, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    });
}

} // namespace widgets
