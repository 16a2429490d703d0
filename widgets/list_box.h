#pragma once

// A list box whose highlighted entry is the one the program works on, however the user
// picked it: by mouse (click or double-click) or by the keys.
//
// What it guarantees:
//   * Chosen() is raised once each time an entry becomes the chosen one: a click, a key, a
//     drag over the entries, or the program's setCurrentRow/setCurrentItem. It is raised
//     after the choice has settled, so the handler finds the new entry both current and
//     selected. (A plain QListWidget makes a clicked entry current first and selects it only
//     afterwards, so a handler on the current row reads an entry that is not yet selected.)
//   * The current entry is always the chosen one, or none. Qt otherwise puts a cursor on
//     the first entry when the focus enters a list where nothing is chosen (tabbing in, or a
//     page being hidden moving the focus through), and on a neighbour when the chosen entry
//     is removed; such an entry is not highlighted, yet currentItem() would name it. Here
//     neither happens: nothing is chosen until the user chooses.
//   * Block the list's signals (QSignalBlocker) to choose an entry without raising Chosen().
//   * A click on the entry already chosen raises only QListWidget's itemClicked.
//   * An entry whose text the list cannot show whole (a long name in a narrow list) shows
//     it whole as its tooltip; elsewhere the list's own tooltip (its hint) stands.
//
// TModelListBox gives the same guarantees over a model of its own, which other widgets may
// show as well (the workstations, listed by one view and chosen in the combo boxes of
// others), the tooltip of a cut entry included; a click on the entry already chosen raises
// only clicked().

#include <QListView>
#include <QListWidget>

namespace widgets {

class TListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit TListBox(QWidget *parent = nullptr);

    // Whether the list shows item's text cut (beyond either edge of the visible area).
    bool TextCut(const QListWidgetItem *item) const;

signals:
    void Chosen();

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void selectionSettled();
    void dropUnchosenCurrent();
};

class TModelListBox : public QListView
{
    Q_OBJECT
public:
    explicit TModelListBox(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    int count() const;
    // Row of the chosen entry, -1 for none.
    int currentRow() const;
    // Chooses the entry of row (none for -1), as QListWidget::setCurrentRow does.
    void setCurrentRow(int row);
    // Whether the list shows the text of index cut (beyond either edge of the visible area).
    bool TextCut(const QModelIndex &index) const;

signals:
    void Chosen();

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QMetaObject::Connection m_rowsRemoved;
};

} // namespace widgets
