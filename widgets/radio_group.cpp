#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace widgets {

TRadioGroup::TRadioGroup(const QString &name, const QString &caption, const QStringList &items, int columns,
                         QWidget *parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this))
{
    setObjectName(name);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    const int perColumn = columns > 0 ? (int(items.size()) + columns - 1) / columns : int(items.size());
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        m_buttons->addButton(b, i);
        grid->addWidget(b, perColumn > 0 ? i % perColumn : 0, perColumn > 0 ? i / perColumn : i);
    }
    m_count = int(items.size());
    connect(m_buttons, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

int TRadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    const QSignalBlocker block(m_buttons);
    if (QAbstractButton *b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: a radio group in exclusive mode cannot uncheck its last button otherwise.
    m_buttons->setExclusive(false);
    for (QAbstractButton *b : m_buttons->buttons())
        b->setChecked(false);
    m_buttons->setExclusive(true);
}

QRadioButton *TRadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton *>(m_buttons->button(index));
}

} // namespace widgets
