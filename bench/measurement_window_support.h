#pragma once

// The measurement window of a benchmark showing one workstation, its lists found by name as
// a user's tests find them.
#include "appstate/appstate.h"
#include "assessment/frm_ryz_zakl.h"
#include "storage/workstation_files.h"
#include "workstation_loading/workstation_loading.h"

#include <QComboBox>
#include <QListWidget>

namespace bench {

struct MeasurementWindowLists
{
    QComboBox *cbStanow = nullptr;
    QListWidget *lbCzyn = nullptr;
    QListWidget *lbPomiar = nullptr;
};

// Chooses ws in win's workstation list and lists its factors; no factor chosen yet.
inline MeasurementWindowLists ShowWorkstation(assessment::TfrmRyzZakl &win, storage::TStanowisko *ws)
{
    QWidget *panel = win.GetMainPanel();
    MeasurementWindowLists lists{panel->findChild<QComboBox *>(QStringLiteral("cbStanow")),
                                 panel->findChild<QListWidget *>(QStringLiteral("lbCzyn")),
                                 panel->findChild<QListWidget *>(QStringLiteral("lbPomiar"))};
    auto &stations = workstation_loading::WorkstationListModel(appstate::State());
    stations.Fill(appstate::State().Workstations);
    lists.cbStanow->setCurrentIndex(stations.RowOf(ws->id));
    workstation_loading::FillFactorList(lists.lbCzyn, ws);
    return lists;
}

} // namespace bench
