// The training documents printed from the running program: a certificate typed in the
// document window and saved, then Print -> "Wydruk" -> preview -> the preview's Print to a
// PDF file, checked with poppler (A4, page count, the values as printed, Polish letters, no
// component names); the same certificate as blank forms; a training card. Each page is
// kept at 72 dpi in test-output/ of the build folder.
#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/prompter.h"
#include "printouts/frm_wydruk.h"
#include "reportengine/vr_composite_report.h"
#include "shell/frm_main.h"
#include "tests/app/print_program_support.h"
#include "tests/reportengine/preview_helpers.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_dokum.h"
#include "workstations/views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace reportengine_test;
using namespace printprogramtest;

namespace {

const char *const kComponentNames[] = {
    "ImNazw",  "DataUrodz", "MscUrodz", "NazwaSzkol", "OpisDataMiejsce", "NrRej", "Temat1",  "GodzWyk1", "GodzCw1",
    "SumaWyk", "vrlOsoba",  "vrlLp1",   "VRLabel",    "VRShape",         "Plec",  "OsSzkol", "Instr1",   "vrlNrInstr"};

void expectNoComponentName(const QString &text)
{
    for (const char *name : kComponentNames)
        EXPECT_FALSE(text.contains(QString::fromLatin1(name))) << name;
}

} // namespace

class TrainingDocumentsInProgram : public DocumentPrintProgram
{
};

TEST_F(TrainingDocumentsInProgram, AStoredCertificateAndACardPrintThroughWydrukAndBlankFormsPrintEmpty)
{
    auto &s = appstate::State();
    {
        shell::TfrmMain w;
        w.show();
        clickHeader(w, 2);
        clickIcon(w, 1); // Zaświadczenie o ukończeniu szkolenia
        ASSERT_EQ(s.ViewName, "zaswszkol_frm.xml");
        workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());
        type("NrRej", "17/2024");
        type("Plec", "mężczyzna");
        type("ImNazw", "Paweł Żółkiewski");
        type("DataUrodz", "1980-05-17");
        type("MscUrodz", "Łódź");
        type("NazwaSzkol", "szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników "
                           "administracyjno-biurowych");
        type("Forma", "seminarium");
        type("Firma", "Ośrodek Szkoleń Zawodowych \"Bezpieczna Praca\" sp. z o.o.");
        type("SzkolOd", "2024-02-26");
        type("SzkolDo", "2024-02-27");
        type("Cel", "Aktualizacja wiedzy i umiejętności z zakresu bezpieczeństwa i higieny pracy.");
        type("OpisDataMiejsce", "Gdańsk, 2024-02-27");
        type("Temat1", "Regulacje prawne z zakresu bezpieczeństwa i higieny pracy");
        type("GodzWyk1", "2");
        type("GodzCw1", "0");
        type("Temat2", "Zagrożenia czynnikami szkodliwymi, uciążliwymi i niebezpiecznymi oraz sposoby ochrony przed "
                       "nimi, w tym środki ochrony indywidualnej i zbiorowej");
        type("GodzWyk2", "3");
        type("GodzCw2", "1");
        type("Temat3", "Pierwsza pomoc w nagłych wypadkach");
        type("GodzWyk3", "1");
        type("GodzCw3", "2");
        type("SumaWyk", "6");
        type("SumaCw", "3");
        w.SaveForm();
        ASSERT_EQ(doc->lbDatyOsob->count(), 1);
        EXPECT_FALSE(s.Modified());
        // Opened again from the list, as stored.
        w.NewForm();
        doc->lbDatyOsob->setCurrentRow(0);
        doc->lbDatyOsobClick(doc->lbDatyOsob->item(0));
        ASSERT_TRUE(doc->SelectedEntry());

        Printed cert = printThroughPreview(w, dialogs, false, QStringLiteral("zaswiadczenie"));
        EXPECT_EQ(cert.boxes, "xx--");
        EXPECT_EQ(cert.pages, 2);
        EXPECT_TRUE(cert.a4);
        for (const char *wanted :
             {"ZAŚWIADCZENIE", "Pan:", "Paweł Żółkiewski", "urodzony dnia:", "1980-05-17", "Łódź",
              "ukończył:", "administracyjno-biurowych", "seminarium", "Bezpieczna Praca", "2024-02-26",
              "Gdańsk, 2024-02-27", "17/2024", "RAMOWY PROGRAM SZKOLEŃ", "Regulacje prawne",
              "Pierwsza pomoc w nagłych wypadkach", "środki ochrony indywidualnej", "Razem"})
            EXPECT_TRUE(cert.text.contains(QString::fromUtf8(wanted))) << wanted << "\n" << cert.text.toStdString();
        EXPECT_FALSE(cert.text.contains(QStringLiteral("mężczyzna")));
        EXPECT_FALSE(cert.text.contains(QStringLiteral("Pan(i)")));
        expectNoComponentName(cert.text);

        Printed blank = printThroughPreview(w, dialogs, true, QStringLiteral("zaswiadczenie_puste"));
        EXPECT_EQ(blank.pages, 2);
        EXPECT_TRUE(blank.a4);
        for (const char *wanted : {"ZAŚWIADCZENIE", "Pan(i):", "ukończył(a):", "RAMOWY PROGRAM SZKOLEŃ", "Lp.", "10"})
            EXPECT_TRUE(blank.text.contains(QString::fromUtf8(wanted))) << wanted;
        for (const char *value : {"Żółkiewski", "Łódź", "seminarium", "Gdańsk", "17/2024", "Pierwsza pomoc"})
            EXPECT_FALSE(blank.text.contains(QString::fromUtf8(value))) << value;
        expectNoComponentName(blank.text);

        clickIcon(w, 2); // Karta szkolenia wstępnego
        ASSERT_EQ(s.ViewName, "kartaszkol_frm.xml");
        type("OsSzkol", "Anna Wiśniewska");
        type("NazwKO", "Dział logistyki");
        type("ImNazwPrzOg", "Jerzy Małecki");
        type("DataInstOg", "2024-03-01");
        type("Instr1", "Magazynier");
        type("ImNazPrz1", "Zofia Dąbrowska");
        type("Okres1", "2024-03-04 - 2024-03-05");
        type("Instr3", "Operator wózka jezdniowego");
        type("ImNazPrz3", "Henryk Łęcki");
        type("Okres3", "2024-03-06");
        // Print asks first to save what was typed, as every command does.
        boxes.Answer(platform::MsgYes);
        Printed card = printThroughPreview(w, dialogs, false, QStringLiteral("karta_szkolenia"));
        EXPECT_EQ(card.boxes, "x---");
        EXPECT_EQ(card.pages, 1);
        EXPECT_TRUE(card.a4);
        for (const char *wanted :
             {"KARTA SZKOLENIA WSTĘPNEGO", "Anna Wiśniewska", "Dział logistyki", "Jerzy Małecki", "Magazynier",
              "Zofia Dąbrowska", "Operator wózka jezdniowego", "Henryk Łęcki", "1)", "2", "Instruktaż ogólny"})
            EXPECT_TRUE(card.text.contains(QString::fromUtf8(wanted))) << wanted << "\n" << card.text.toStdString();
        expectNoComponentName(card.text);
        s.SetModified(false);
    }
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Nie zapisano danych. Zapisać?")});
    EXPECT_TRUE(fx.Exists(QStringLiteral("dokumenty/kartaszkol/kartaszkol_dane_1.xml")));
    EXPECT_EQ(dialogs.titles.count(QStringLiteral("Wydruk")), 3);
    appstate::UnregisterCommandDialog(QStringLiteral("frmWydruk"));
}
