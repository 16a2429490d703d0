#pragma once

// The workstations of a data folder as every view lists them: the workstation view's list
// and the workstation choosers of the measurement window and the summary view all show the
// one model of the application state, so what a row shows is decided here alone (data()).
//
// What it guarantees:
//   * Rows stand in Polish alphabetical order of the names, letter case ignored ("Ślusarnia"
//     after "Spawalnia", before "Tokarnia"); names that order calls equal stand in the order
//     of their texts, and equal texts in list order: the order ListTextLess gives.
//   * Filling sorts once, with each name's sort key worked out once; a workstation added
//     later goes to its place by a binary search. A list of thousands fills in milliseconds.
//   * A row holds its workstation's number and name, never the object: the object is looked
//     up in the list as it is now, so a row left from before a reload gives the object read
//     since, or none, never a freed one.
//   * Numbers that stand in the list more than once are found while filling (RepeatedIds);
//     RowOf finds the first row of a number.

#include "storage/workstation_files.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace appstate {
class AppState;
}

namespace workstation_loading {

class TWorkstationListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // The workstation's number (its `id`) under this role.
    static constexpr int IdRole = Qt::UserRole;

    explicit TWorkstationListModel(QObject *parent = nullptr);

    // Every workstation of list, in place of what was shown.
    void Fill(const storage::WorkstationList &list);
    // One more row, at its place.
    void Add(const storage::TStanowisko &w);
    // The rows of workstation id go.
    void Remove(const QString &id);

    // First row of workstation id, or -1.
    int RowOf(const QString &id) const;
    // Number of the workstation of row, empty for no row.
    QString IdAt(int row) const;
    // The workstation of row in list (the list as it is now), or nullptr.
    storage::TStanowisko *WorkstationAt(int row, const storage::WorkstationList &list) const;
    // Numbers standing more than once in the list last filled, in the order first repeated.
    const QStringList &RepeatedIds() const { return m_repeated; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        QString id;
        QString name;
        QByteArray key; // the name's place in the alphabetical order
    };
    static Row rowOf(const storage::TStanowisko &w);
    static bool before(const Row &a, const Row &b);
    void indexRows();

    std::vector<Row> m_rows;
    QHash<QString, int> m_firstRow; // by number
    QStringList m_repeated;
};

// The model of state's workstations, made on first use and owned by the state; the
// workstation loading fills it.
TWorkstationListModel &WorkstationListModel(appstate::AppState &state);
// The workstation of row of that model, in state's list, or nullptr.
storage::TStanowisko *WorkstationAt(appstate::AppState &state, int row);

} // namespace workstation_loading
