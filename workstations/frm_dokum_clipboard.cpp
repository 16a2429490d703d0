// The document window: copy and paste of all input fields through one plain text, so that a
// document can be filled from another of the same or a related kind.
#include "workstations/frm_dokum.h"

#include "appstate/appstate.h"
#include "platform/clipboard.h"
#include "widgets/field_limits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace workstations {

namespace {

QString openingMarker(const QString &name)
{
    return QStringLiteral("{P[(") + name + QStringLiteral(")]P}");
}

QString closingMarker(const QString &name)
{
    return QStringLiteral("{K[(") + name + QStringLiteral(")]K}");
}

} // namespace

QString TfrmDokum::CopyFieldsToText()
{
    QString text;
    for (const auto &page : m_pages) {
        for (QWidget *w : page.inputs) {
            QString value;
            if (auto *combo = qobject_cast<QComboBox *>(w))
                value = combo->currentIndex() < 0 ? QString() : combo->currentText();
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                value = edit->text();
            else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
                value = memo->toPlainText();
            else
                continue;
            text += openingMarker(w->objectName()) + value + closingMarker(w->objectName());
        }
    }
    return text;
}

void TfrmDokum::PasteFieldsFromText(const QString &text)
{
    QString rest = text;
    for (auto &page : m_pages) {
        for (QWidget *w : page.inputs) {
            const QString opening = openingMarker(w->objectName());
            const QString closing = closingMarker(w->objectName());
            const qsizetype start = rest.indexOf(opening);
            if (start < 0)
                continue;
            const qsizetype valueStart = start + opening.size();
            // Only a record closed after its opening is one; anything else is left alone.
            const qsizetype end = rest.indexOf(closing, valueStart);
            if (end < 0)
                continue;
            QString value = rest.mid(valueStart, end - valueStart);
            value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            Shared().SetLastWinCtrl(w);
            if (auto *combo = qobject_cast<QComboBox *>(w)) {
                {
                    const QSignalBlocker block(combo);
                    combo->setCurrentIndex(value.isEmpty() ? -1 : combo->findText(value, Qt::MatchExactly));
                }
                ChangeField(combo);
            } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
                // Pasted as typed: the field's limit holds, and a cut is told.
                widgets::InsertAsTyped(edit, value);
                // Every row of a "form" field keeps its own slot, pasted as when chosen.
                ExitField(edit);
            } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
                widgets::InsertAsTyped(memo, value);
                ExitMemo(memo);
            }
            rest = rest.left(start) + rest.mid(end + closing.size());
        }
    }
    if (pgDokum->count() > 0)
        pgDokum->setCurrentIndex(0);
}

void TfrmDokum::Copy()
{
    // The controls hold what the user typed, committed or not.
    platform::CurrentClipboard().SetText(CopyFieldsToText());
}

void TfrmDokum::Paste()
{
    PasteFieldsFromText(platform::CurrentClipboard().Text());
}

} // namespace workstations
