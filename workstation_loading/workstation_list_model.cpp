#include "workstation_loading/workstation_list_model.h"

#include "appstate/appstate.h"
#include "storage/polish_collation.h"

#include <QSet>
#include <algorithm>

namespace workstation_loading {

TWorkstationListModel::TWorkstationListModel(QObject *parent) : QAbstractListModel(parent)
{
}

TWorkstationListModel::Row TWorkstationListModel::rowOf(const storage::TStanowisko &w)
{
    return Row{w.id, w.nazwa, storage::PolishSortKey(w.nazwa)};
}

bool TWorkstationListModel::before(const Row &a, const Row &b)
{
    if (const int c = a.key.compare(b.key))
        return c < 0;
    return a.name < b.name; // a stable, total order for names the collation calls equal
}

void TWorkstationListModel::indexRows()
{
    m_firstRow.clear();
    m_firstRow.reserve(qsizetype(m_rows.size()));
    for (int r = int(m_rows.size()) - 1; r >= 0; --r)
        m_firstRow.insert(m_rows[size_t(r)].id, r);
}

void TWorkstationListModel::Fill(const storage::WorkstationList &list)
{
    std::vector<Row> rows;
    rows.reserve(list.size());
    QStringList repeated;
    QSet<QString> seen;
    seen.reserve(qsizetype(list.size()));
    for (const auto &w : list) {
        if (seen.contains(w->id)) {
            if (!repeated.contains(w->id))
                repeated << w->id;
        } else {
            seen.insert(w->id);
        }
        rows.push_back(rowOf(*w));
    }
    // The positions are sorted, not the rows: a comparison reads two keys, a move is an int.
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) { return before(rows[size_t(a)], rows[size_t(b)]); });
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (const int i : order)
        m_rows.push_back(std::move(rows[size_t(i)]));
    m_repeated = std::move(repeated);
    indexRows();
    endResetModel();
}

void TWorkstationListModel::Add(const storage::TStanowisko &w)
{
    Row row = rowOf(w);
    // After the equal ones: equal names keep the order they were added in.
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row, before);
    const int r = int(at - m_rows.begin());
    beginInsertRows(QModelIndex(), r, r);
    m_rows.insert(at, std::move(row));
    indexRows();
    endInsertRows();
}

void TWorkstationListModel::Remove(const QString &id)
{
    for (int r = int(m_rows.size()) - 1; r >= 0; --r) {
        if (m_rows[size_t(r)].id != id)
            continue;
        beginRemoveRows(QModelIndex(), r, r);
        m_rows.erase(m_rows.begin() + r);
        endRemoveRows();
    }
    indexRows();
}

int TWorkstationListModel::RowOf(const QString &id) const
{
    return m_firstRow.value(id, -1);
}

QString TWorkstationListModel::IdAt(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QString();
    return m_rows[size_t(row)].id;
}

storage::TStanowisko *TWorkstationListModel::WorkstationAt(int row, const storage::WorkstationList &list) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return nullptr;
    return storage::FindWorkstationById(list, m_rows[size_t(row)].id);
}

int TWorkstationListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TWorkstationListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return QVariant();
    const Row &row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return row.name;
    case IdRole:
        return row.id;
    default:
        return QVariant();
    }
}

TWorkstationListModel &WorkstationListModel(appstate::AppState &state)
{
    static const QString name = QStringLiteral("WorkstationListModel");
    auto *model = state.findChild<TWorkstationListModel *>(name, Qt::FindDirectChildrenOnly);
    if (!model) {
        model = new TWorkstationListModel(&state);
        model->setObjectName(name);
    }
    return *model;
}

storage::TStanowisko *WorkstationAt(appstate::AppState &state, int row)
{
    return WorkstationListModel(state).WorkstationAt(row, state.Workstations);
}

} // namespace workstation_loading
