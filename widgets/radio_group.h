#pragma once

// A group box of radio buttons laid out in columns, chosen by index: the radio groups of
// the catalogue, own-factor and summary views and of the printouts dialog. The buttons are named after the group
// ("rgAktual_0", "rgAktual_1", ...), so tests find them as the user sees them.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace widgets {

class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString &name, const QString &caption, const QStringList &items, int columns,
                QWidget *parent = nullptr);

    int ItemIndex() const;
    // Checks item index (-1: none) without raising Clicked.
    void SetItemIndex(int index);
    QRadioButton *Button(int index) const;
    int Count() const { return m_count; }

signals:
    // The user chose an item (also when a test clicks a button).
    void Clicked(int index);

private:
    QButtonGroup *m_buttons;
    int m_count = 0;
};

} // namespace widgets
