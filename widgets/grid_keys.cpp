#include "widgets/grid_keys.h"

#include <QAbstractButton>
#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QTableView>

namespace widgets {

namespace {

const char *const kInstalled = "gridKeys";

class TGridKeysFilter : public QObject
{
public:
    TGridKeysFilter(QTableView *grid, TGridKeys keys)
        : QObject(grid), m_grid(grid), m_viewport(grid->viewport()), m_keys(std::move(keys))
    {
        grid->installEventFilter(this);
        // A cell editor is made when editing starts and gets the delegate's filter then;
        // ours goes on when it takes the focus, so it sees Tab before the delegate moves on.
        // (The viewport is held on its own: the grid may be half destroyed when the focus
        // moves while its window closes.)
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (now && m_viewport && m_viewport->isAncestorOf(now))
                now->installEventFilter(this);
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_passing)
            return false;
        if (event->type() == QEvent::ShortcutOverride && watched == m_grid) {
            if (isPlainDelete(static_cast<QKeyEvent *>(event))) {
                event->accept(); // the key goes to the grid, not to a shortcut
                return true;
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_grid && isPlainDelete(key)) {
            clearCurrentCell();
            return true;
        }
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab)
            return false;
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        const bool out = (key->modifiers() & Qt::ControlModifier) || (forward ? atLastCell() : atFirstCell());
        if (!out)
            return false;
        leave(forward);
        return true;
    }

private:
    static bool isPlainDelete(const QKeyEvent *key)
    {
        return key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }

    int edgeRow(bool last) const
    {
        const int rows = m_grid->model() ? m_grid->model()->rowCount(m_grid->rootIndex()) : 0;
        for (int i = 0; i < rows; ++i) {
            const int r = last ? rows - 1 - i : i;
            if (!m_grid->isRowHidden(r))
                return r;
        }
        return -1;
    }

    int edgeColumn(bool last) const
    {
        const int columns = m_grid->model() ? m_grid->model()->columnCount(m_grid->rootIndex()) : 0;
        // In the order the header shows them, which the user may have changed.
        const QHeaderView *header = m_grid->horizontalHeader();
        for (int i = 0; i < columns; ++i) {
            const int c = header->logicalIndex(last ? columns - 1 - i : i);
            if (!m_grid->isColumnHidden(c))
                return c;
        }
        return -1;
    }

    bool atLastCell() const
    {
        const QModelIndex current = m_grid->currentIndex();
        return !current.isValid() || (current.row() == edgeRow(true) && current.column() == edgeColumn(true));
    }

    bool atFirstCell() const
    {
        const QModelIndex current = m_grid->currentIndex();
        return !current.isValid() || (current.row() == edgeRow(false) && current.column() == edgeColumn(false));
    }

    void clearCurrentCell()
    {
        const QModelIndex current = m_grid->currentIndex();
        if (!current.isValid() || !m_grid->isEnabled() || m_grid->editTriggers() == QAbstractItemView::NoEditTriggers ||
            !(current.flags() & Qt::ItemIsEditable))
            return;
        if (m_keys.clearCell)
            m_keys.clearCell(current.row(), current.column());
        else
            m_grid->model()->setData(current, QString(), Qt::EditRole);
    }

    void leave(bool forward)
    {
        QPointer<QTableView> grid(m_grid);
        // A cell being edited is committed and closed, as a move to another cell would.
        QWidget *focus = QApplication::focusWidget();
        if (focus && m_grid->viewport()->isAncestorOf(focus)) {
            QWidget *editor = focus;
            while (editor->parentWidget() != m_grid->viewport())
                editor = editor->parentWidget();
            if (QAbstractItemDelegate *delegate = m_grid->itemDelegateForIndex(m_grid->currentIndex())) {
                emit delegate->commitData(editor);
                emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
            }
        }
        if (!grid)
            return;
        // The window's own focus chain decides where the focus goes: the key is handed to
        // the grid again with its cell navigation off.
        const bool cells = m_grid->tabKeyNavigation();
        m_grid->setTabKeyNavigation(false);
        m_passing = true;
        QKeyEvent key(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                      forward ? Qt::NoModifier : Qt::ShiftModifier);
        QCoreApplication::sendEvent(m_grid, &key);
        m_passing = false;
        if (grid)
            grid->setTabKeyNavigation(cells);
    }

    QTableView *m_grid;
    QPointer<QWidget> m_viewport;
    TGridKeys m_keys;
    bool m_passing = false;
};

void bindRowButton(QTableView *grid, QAbstractButton *button, const QKeySequence &keys)
{
    if (!button)
        return;
    auto *shortcut = new QShortcut(keys, grid);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisibleTo(button->window()))
            button->click();
    });
}

} // namespace

void InstallGridKeys(QTableView *grid, TGridKeys keys)
{
    if (!grid || HasGridKeys(grid))
        return;
    grid->setProperty(kInstalled, true);
    bindRowButton(grid, keys.addRow, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    bindRowButton(grid, keys.deleteRow, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    new TGridKeysFilter(grid, std::move(keys));
}

bool HasGridKeys(const QTableView *grid)
{
    return grid && grid->property(kInstalled).toBool();
}

} // namespace widgets
