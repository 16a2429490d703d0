#pragma once

// The factor catalogue on a copy of the shipped installation, with message boxes and modal
// dialogs scripted. The chemical catalogue is replaced by a small one whose entries the
// cases name.

#include "appstate/appstate.h"
#include "assessment/measurement_pages.h"
#include "storage/catalogue_files.h"
#include "storage/config_version.h"
#include "storage/form_definition_files.h"
#include "storage/navigation_file.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_zw_chem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace cataloguetest {

// Substances chosen for their limit values and classes: Aceton under CLP (typ bits 8 and
// 11, typh bits 4, 10, 12), Rtęć and Ołów under the older groups only (typh -1), Benzen
// carcinogenic (typ bit 0) under CLP, Kwas with no time-weighted limit, one not current.
inline QString ChemicalCatalogue()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
        "<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">\n"
        " <czynnik id=\"80001\" nazwa=\"Aceton\">\n"
        "  <param nds=\"600\" ndsch=\"1800\" ndsp=\"-1\" typ=\"2304\" nrcas=\"67-64-1\" nrkarty=\"\" aktualny=\"1\" "
        "typh=\"5136\" zwroth=\"H225, H319, H336\">\n"
        " </czynnik>\n"
        " <czynnik id=\"80002\" nazwa=\"Rtęć\">\n"
        "  <param nds=\"0.02\" ndsch=\"-1\" ndsp=\"-1\" typ=\"1\" nrcas=\"7439-97-6\" nrkarty=\"\" aktualny=\"1\" "
        "typh=\"-1\" zwroth=\"\">\n"
        " </czynnik>\n"
        " <czynnik id=\"80003\" nazwa=\"Ołów\">\n"
        "  <param nds=\"0.05\" ndsch=\"-1\" ndsp=\"-1\" typ=\"1024\" nrcas=\"7439-92-1\" nrkarty=\"\" aktualny=\"1\" "
        "typh=\"-1\" zwroth=\"\">\n"
        " </czynnik>\n"
        " <czynnik id=\"80004\" nazwa=\"Benzen\">\n"
        "  <param nds=\"1.6\" ndsch=\"-1\" ndsp=\"-1\" typ=\"1\" nrcas=\"71-43-2\" nrkarty=\"\" aktualny=\"1\" "
        "typh=\"65536\" zwroth=\"H350\">\n"
        " </czynnik>\n"
        " <czynnik id=\"80005\" nazwa=\"Kwas mrówkowy\">\n"
        "  <param nds=\"-1\" ndsch=\"-1\" ndsp=\"10\" typ=\"16\" nrcas=\"64-18-6\" nrkarty=\"\" aktualny=\"1\" "
        "typh=\"0\" zwroth=\"\">\n"
        " </czynnik>\n"
        " <czynnik id=\"80006\" nazwa=\"Eter wycofany\">\n"
        "  <param nds=\"1\" ndsch=\"-1\" ndsp=\"-1\" typ=\"256\" nrcas=\"1-1-1\" nrkarty=\"\" aktualny=\"0\" "
        "typh=\"16\" zwroth=\"\">\n"
        " </czynnik>\n"
        "</czynchem>\n");
}

class CatalogueTest : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<workstations::TfrmCzynniki> view;

    void SetUp() override
    {
        storage::ConfigVersion() = QStringLiteral("1.0");
        fx.WriteText(QStringLiteral("poradn/czynchem.xml"), ChemicalCatalogue());
        storage::ClearCatalogueCache();
        storage::ClearFormDefinitionCache();
        auto &s = appstate::State();
        s.CatalogueFolder = QStringLiteral("poradn\\");
        s.DataFolder = QStringLiteral("poradn\\");
        s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
        s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
        s.ViewName = QStringLiteral("frmCzynniki");
        s.ViewKind = storage::TViewKind::Catalogue;
        s.SetModified(false);
        // The panels live as long as the program: they start each case as the user found them.
        workstations::TfrmZwChem *chem = workstations::frmZwChem();
        chem->cbKlasCLP->setChecked(true);
        for (QCheckBox *b : chem->findChildren<QCheckBox *>())
            if (b != chem->cbKlasCLP)
                b->setChecked(false);
        chem->edSzukStr->clear();
        view = std::make_unique<workstations::TfrmCzynniki>(appstate::State());
    }
    void TearDown() override
    {
        view.reset();
        appstate::State().ViewName.clear();
        appstate::State().ViewKind = storage::TViewKind::None;
        appstate::State().SetModified(false);
        storage::ClearCatalogueCache();
    }

    void open(const QString &viewName = QStringLiteral("frmCzynniki"))
    {
        appstate::State().ViewName = viewName;
        appstate::State().ViewKind =
            storage::ViewKindOf(storage::TSklad(1, QStringLiteral("frm"), QString(), viewName, QString(), QString()));
        view->InitView();
    }
    // Chooses the group whose key is ident, as the user does in the combo box.
    void chooseGroup(const QString &ident)
    {
        for (int i = 0; i < view->cbGrupyCzyn->count(); ++i) {
            view->cbGrupyCzyn->setCurrentIndex(i);
            if (view->SelectedGroup() && view->SelectedGroup()->ident == ident) {
                view->cbGrupyCzynChange();
                return;
            }
        }
        FAIL() << "no group " << ident.toStdString();
    }
    static QStringList texts(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void clickFactor(const QString &text)
    {
        const auto found = view->lbCzynniki->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        view->lbCzynniki->setCurrentItem(found.front()); // raises the click handler
    }
    // Clicks (or double-clicks) an entry with the mouse, on its rectangle in the list.
    static void mouseChoose(QListWidget *list, const QString &text, bool twice = false)
    {
        QListWidgetItem *item = list->findItems(text, Qt::MatchExactly).value(0);
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        twice ? QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at)
              : QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // The catalogue's own measurement pages.
    assessment::TMeasurementPages *pages() const { return view->MeasurementPages(); }
};

} // namespace cataloguetest
