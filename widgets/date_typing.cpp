#include "widgets/date_typing.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace widgets {

namespace {

class TSectionOnClick : public QObject
{
public:
    TSectionOnClick(QDateTimeEdit *edit, QLineEdit *line) : QObject(edit), m_edit(edit), m_line(line) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && !m_line->hasSelectedText()) {
            // After the click has placed the cursor: that tells which part it fell on.
            QPointer<QDateTimeEdit> edit(m_edit);
            QTimer::singleShot(0, m_edit, [edit] {
                if (edit && edit->hasFocus())
                    edit->setSelectedSection(edit->currentSection());
            });
        }
        return false;
    }

private:
    QDateTimeEdit *m_edit;
    QLineEdit *m_line;
};

} // namespace

void TypeOverClickedSection(QDateTimeEdit *edit)
{
    QLineEdit *line = edit ? edit->findChild<QLineEdit *>() : nullptr;
    if (line)
        line->installEventFilter(new TSectionOnClick(edit, line));
}

} // namespace widgets
