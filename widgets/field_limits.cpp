#include "widgets/field_limits.h"

#include "platform/prompter.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace widgets {

namespace {

const char *const CaptionProperty = "tarvelinFieldCaption";

QString characters(int n)
{
    const int tens = n % 100;
    if (n == 1)
        return QStringLiteral("znak");
    if (n % 10 >= 2 && n % 10 <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("znaki");
    return QStringLiteral("znaków");
}

// Where an edit changed a text: the start and the end it left as they were.
struct Change
{
    qsizetype prefix = 0;
    qsizetype suffix = 0;
};

Change changeBetween(const QString &before, const QString &after)
{
    Change c;
    while (c.prefix < before.size() && c.prefix < after.size() && before[c.prefix] == after[c.prefix])
        ++c.prefix;
    while (c.suffix < before.size() - c.prefix && c.suffix < after.size() - c.prefix &&
           before[before.size() - 1 - c.suffix] == after[after.size() - 1 - c.suffix])
        ++c.suffix;
    return c;
}

// Told once the edit that cut is over: a message box shown while a key or a paste is being
// handled would take the focus from the editor in the middle of it.
void tellLater(QWidget *editor, int maxLength, int inserted, int leftOut)
{
    QPointer<QWidget> target(editor);
    QTimer::singleShot(0, editor, [target, maxLength, inserted, leftOut] {
        if (target)
            platform::ShowWarning(FieldLimitMessage(FieldCaption(target), maxLength, inserted, leftOut));
    });
}

// The limit of a line edit. QLineEdit's own maximum length would also cut the text the
// program sets - a stored value longer than the field's limit would be shown cut and, once
// the field is left, saved cut - so the limit is a validator: the program's setText clears
// the edit's undo history before validating, the user's edits never do, which tells the one
// from the other.
class TypedLengthLimit : public QValidator
{
public:
    TypedLengthLimit(QLineEdit *edit, int maxLength)
        : QValidator(edit), m_edit(edit), m_max(maxLength), m_before(edit->text())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_before = text; });
    }

    State validate(QString &input, int &pos) const override
    {
        QString text = input;
        int cursor = pos;
        int inserted = 0;
        int leftOut = 0;
        if (m_max > 0 && text.size() > m_max && text.size() > m_before.size() && m_edit->isUndoAvailable()) {
            const Change c = changeBetween(m_before, text);
            const qsizetype added = text.size() - c.prefix - c.suffix;
            // A text already longer than the limit (a stored one) never grows, nor shrinks
            // by an insertion.
            const qsizetype allowed = std::max<qsizetype>(m_max, m_before.size());
            const qsizetype room = std::clamp<qsizetype>(allowed - c.prefix - c.suffix, 0, added);
            text = text.left(c.prefix + room) + text.right(c.suffix);
            cursor = int(c.prefix + room);
            inserted = int(room);
            leftOut = int(added - room);
        }
        if (m_inner) {
            const State inner = m_inner->validate(text, cursor);
            if (inner == Invalid)
                return Invalid;
        }
        if (leftOut > 0 && !(inserted == 0 && m_toldFor == m_before)) {
            m_toldFor = m_before;
            tellLater(m_edit, m_max, inserted, leftOut);
        }
        input = text;
        pos = cursor;
        return Acceptable;
    }

    void SetMax(int maxLength) { m_max = maxLength; }
    int Max() const { return m_max; }
    // A validator the edit had before the limit came (a key filter): it sees every text the
    // limit lets through.
    void SetInner(QValidator *inner) { m_inner = inner; }
    QValidator *Inner() const { return m_inner; }

private:
    QLineEdit *m_edit;
    int m_max;
    QString m_before;
    QPointer<QValidator> m_inner;
    mutable QString m_toldFor; // the text at which the user was told last (not again at each key)
};

TypedLengthLimit *editLimit(const QLineEdit *edit)
{
    return edit ? dynamic_cast<TypedLengthLimit *>(const_cast<QValidator *>(edit->validator())) : nullptr;
}

// The limit of a memo: what was just inserted is cut, from its end, once the document is
// done with the edit (textChanged).
class MemoLengthLimit : public QObject
{
public:
    MemoLengthLimit(QPlainTextEdit *memo, int maxLength) : QObject(memo), max(maxLength), m_memo(memo)
    {
        QTextDocument *doc = memo->document();
        connect(doc, &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
            m_last = {position, removed, added};
        });
        connect(memo, &QPlainTextEdit::textChanged, this, [this] { cutInsertion(); });
    }

    int max;
    bool suspended = false; // the program sets a stored text
    int lengthBefore = 0;   // the length of the text before the edit being handled

private:
    struct Edit
    {
        int position = 0;
        int removed = 0;
        int added = 0;
    };

    void cutInsertion()
    {
        if (m_cutting)
            return; // the cut's own change
        const QScopedValueRollback<bool> cutting(m_cutting, true);
        const Edit last = std::exchange(m_last, Edit{});
        QTextDocument *doc = m_memo->document();
        const int length = doc->characterCount() - 1; // the final paragraph mark is not text
        if (suspended || max <= 0 || last.added <= 0) {
            lengthBefore = length;
            return; // a deletion never cuts
        }
        const int excess = length - std::max(max, lengthBefore);
        if (excess <= 0) {
            lengthBefore = length;
            return;
        }
        // The text already there stays - also a stored text that was longer than the limit
        // before: a keystroke must not shorten it. The document counts a paragraph mark it
        // replaces in an insertion at its end (into an empty memo, say): that is no text.
        const int added = last.added - std::max(0, last.position + last.added - length);
        const int cut = std::min(excess, added);
        const int end = last.position + added;
        QTextCursor cursor(doc);
        cursor.setPosition(end - cut);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        lengthBefore = doc->characterCount() - 1;
        // Where the text was cut stays in view, not the middle of what went in.
        QTextCursor shown = m_memo->textCursor();
        shown.setPosition(end - cut);
        m_memo->setTextCursor(shown);
        m_memo->ensureCursorVisible();
        const int inserted = added - cut;
        const QString now = m_memo->toPlainText();
        if (inserted == 0 && m_toldFor == now)
            return;
        m_toldFor = now;
        tellLater(m_memo, max, inserted, cut);
    }

    QPlainTextEdit *m_memo;
    Edit m_last;
    bool m_cutting = false;
    QString m_toldFor; // the text at which the user was told last (not again at each key)
};

MemoLengthLimit *memoLimit(const QPlainTextEdit *memo)
{
    if (!memo)
        return nullptr;
    for (QObject *child : memo->children())
        if (auto *limit = dynamic_cast<MemoLengthLimit *>(child))
            return limit;
    return nullptr;
}

QString cleanCaption(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text = text.left(text.size() - 1).trimmed();
    return text;
}

} // namespace

void SetEditMaxLength(QLineEdit *edit, int maxLength, const QString &caption)
{
    if (!edit)
        return;
    if (!caption.isEmpty())
        edit->setProperty(CaptionProperty, caption);
    // QLineEdit's own default is its "no limit".
    edit->setMaxLength(32767);
    TypedLengthLimit *limit = editLimit(edit);
    if (maxLength <= 0) {
        if (limit) {
            QValidator *inner = limit->Inner();
            edit->setValidator(inner);
            delete limit;
        }
        return;
    }
    if (limit) {
        limit->SetMax(maxLength);
        return;
    }
    QValidator *inner = const_cast<QValidator *>(edit->validator());
    limit = new TypedLengthLimit(edit, maxLength);
    limit->SetInner(inner);
    edit->setValidator(limit);
}

int EditMaxLength(const QLineEdit *edit)
{
    const TypedLengthLimit *limit = editLimit(edit);
    return limit ? limit->Max() : 0;
}

void SetMemoMaxLength(QPlainTextEdit *memo, int maxLength, const QString &caption)
{
    if (!memo)
        return;
    if (!caption.isEmpty())
        memo->setProperty(CaptionProperty, caption);
    MemoLengthLimit *limit = memoLimit(memo);
    if (!limit)
        limit = new MemoLengthLimit(memo, maxLength);
    limit->max = maxLength;
    limit->lengthBefore = memo->document()->characterCount() - 1;
}

int MemoMaxLength(const QPlainTextEdit *memo)
{
    const MemoLengthLimit *limit = memoLimit(memo);
    return limit ? std::max(limit->max, 0) : 0;
}

void SetMemoText(QPlainTextEdit *memo, const QString &text)
{
    if (!memo)
        return;
    MemoLengthLimit *limit = memoLimit(memo);
    if (!limit) {
        memo->setPlainText(text);
        return;
    }
    const QScopedValueRollback<bool> stored(limit->suspended, true);
    memo->setPlainText(text);
}

int FieldMaxLength(const QWidget *editor)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(editor))
        return EditMaxLength(edit);
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(editor))
        return MemoMaxLength(memo);
    return 0;
}

QString FieldCaption(const QWidget *editor)
{
    if (!editor)
        return QString();
    const QString given = editor->property(CaptionProperty).toString();
    if (!given.isEmpty())
        return cleanCaption(given);
    if (QWidget *parent = editor->parentWidget()) {
        for (QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (label->buddy() == editor && !cleanCaption(label->text()).isEmpty())
                return cleanCaption(label->text());
        if (auto *form = qobject_cast<QFormLayout *>(parent->layout()))
            if (auto *label = qobject_cast<QLabel *>(form->labelForField(const_cast<QWidget *>(editor))))
                return cleanCaption(label->text());
    }
    return editor->objectName();
}

bool InsertAsTyped(QWidget *editor, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        if (edit->isReadOnly() || EditMaxLength(edit) <= 0) {
            edit->setText(text);
        } else {
            edit->clear();
            edit->insert(text);
        }
        return edit->text() == text;
    }
    if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
        SetMemoText(memo, QString());
        QTextCursor cursor(memo->document());
        cursor.insertText(text);
        return memo->toPlainText() == text;
    }
    return false;
}

QString FieldLimitMessage(const QString &caption, int maxLength, int inserted, int leftOut)
{
    QString text =
        QStringLiteral("Pole „%1” mieści najwyżej %2 %3.").arg(caption).arg(maxLength).arg(characters(maxLength));
    if (inserted > 0)
        text += QStringLiteral(" Wstawiono początek tekstu (%1 %2), pominięto %3 %4 z jego końca.")
                    .arg(inserted)
                    .arg(characters(inserted))
                    .arg(leftOut)
                    .arg(characters(leftOut));
    else if (leftOut > 1)
        text += QStringLiteral(" Tekstu (%1 %2) nie wstawiono.").arg(leftOut).arg(characters(leftOut));
    return text;
}

} // namespace widgets
