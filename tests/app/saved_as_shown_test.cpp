// What the screen shows is what the file holds, in the views and dialogs the program builds:
// after a Zapisz that greys the button out, and in every edit control with a limit.
#include "tests/app/print_program_support.h"

#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_param_risc_score.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/views.h"
#include "storage/risk_score_files.h"
#include "tests/support/model_list.h"
#include "widgets/field_binding.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_def_stan.h"

#include <QClipboard>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

using namespace printprogramtest;
enum Road { Straight, Preview, HelpWindow, Dialog, TabChange };

QString shown(QWidget *field) // an edit's or memo's text, a grid's current cell or its open editor
{
    auto *grid = qobject_cast<QTableWidget *>(field);
    QWidget *editor = grid ? widgets::OpenCellEditor(grid) : field;
    if (auto *memo = qobject_cast<QPlainTextEdit *>(editor))
        return memo->toPlainText();
    return editor ? qobject_cast<QLineEdit *>(editor)->text() : grid->currentItem()->text();
}

void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// Away from the field and back as the window system gives the focus back (after a change of
// tab, as the user clicks into the field again).
void takeRoad(Road road, shell::TfrmMain &window, QWidget *field)
{
    QTimer poll; // closes the preview once it shows its pages
    QObject::connect(&poll, &QTimer::timeout,
                     [] { FindPreview() && FindPreview()->PageCount() && FindPreview()->close(); });
    poll.start(50);
    QWidget help;
    QDialog box(&window);
    QTimer::singleShot(50, &box, &QDialog::reject);
    if (road == Preview)
        window.PrintForm();
    if (road == HelpWindow)
        help.show(), activate(&help), help.close();
    if (road == Dialog)
        box.exec();
    for (QWidget *up = field; road == TabChange && up; up = up->parentWidget())
        if (auto *pages = qobject_cast<QTabWidget *>(up)) { // the nearest
            const int here = pages->currentIndex();
            pages->setCurrentIndex(here == 0 ? 1 : 0), pages->setCurrentIndex(here),
                field->setFocus(Qt::MouseFocusReason);
            break;
        }
    activate(&window);
}

// The limited controls under root checked; how many there were.
int pasteOverEveryLimit(QWidget *root, testsupport::ScriptedPrompter &boxes)
{
    int checked = 0;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        auto *edit = qobject_cast<QLineEdit *>(w);
        auto *memo = qobject_cast<QPlainTextEdit *>(w);
        const int limit = widgets::FieldMaxLength(w);
        EXPECT_TRUE(!edit || edit->maxLength() == 32767) << w->objectName().toStdString() << " cuts in silence";
        if (limit <= 0 || !w->isEnabled() || (edit ? edit->isReadOnly() : memo->isReadOnly()))
            continue;
        const QString text = QStringLiteral("1234").repeated(limit / 4 + 3);
        auto set = [&](const QString &t) { edit ? edit->setText(t) : widgets::SetMemoText(memo, t); };
        auto now = [&] { return edit ? edit->text() : memo->toPlainText(); };
        set(text); // as read from a file
        EXPECT_EQ(now(), text);
        set(QString()), QApplication::clipboard()->setText(text), boxes.boxes.clear();
        edit ? edit->paste() : memo->paste();
        QApplication::processEvents();
        const QString caption = widgets::FieldCaption(w);
        EXPECT_TRUE(now() == text.left(limit) && caption != w->objectName() && boxes.boxes.size() == 1 &&
                    boxes.boxes[0].text.contains(QStringLiteral("„%1” mieści najwyżej %2 ").arg(caption).arg(limit)))
            << w->objectName().toStdString() << ": " << boxes.Texts().join('|').toStdString();
        ++checked;
    }
    return checked;
}

class ScreenAndFile : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;
    shell::TfrmMain w;
    void SetUp() override
    {
        assessment::RegisterViews(appstate::State()), workstations::RegisterViews(appstate::State()), printouts::RegisterDialogs();
        w.resize(900, 1400); // every icon of a group in view
        w.show(), activate(&w);
    }
    void TearDown() override { appstate::State().SetModified(false), appstate::State().Workstations.clear(); }
    // Whether the data file (none: the document's) holds the text the field shows as its item.
    bool holds(const char *file, const char *item, QWidget *field)
    {
        const workstations::TfrmDokum *d = workstations::frmDokum(appstate::State());
        const QString document = appstate::State().DataFolder + d->Definition.Katalog +
                                 storage::DocumentDataFileName(d->Definition.Plik, d->CurrentNumber());
        const QString value = QRegularExpression::escape(shown(field));
        return fx.ReadText(file ? QString::fromUtf8(file) : document).contains(
            QRegularExpression(QStringLiteral("nazwa=\"%1\"[^>]*>%2</dane>").arg(item, value)));
    }
};

} // namespace

TEST_F(ScreenAndFile, AfterZapiszInEveryViewOnEveryRoadTheFileHoldsWhatTheScreenShows)
{
    workstations::TfrmDefStan *stan = workstations::frmDefStan(appstate::State());
    assessment::TfrmRyzZakl *pomiar = assessment::frmRyzZakl(appstate::State());
    const char *welderFile = "zaklocen/stan_1/stanowisko_dane.xml";
    const auto welder = [stan] {
        stan->lbStanowiska->setCurrentRow(testsupport::RowsWithText(stan->lbStanowiska, "Spawacz - spawalnia MAG")[0]);
    };
    const auto docField = [](const char *name) {
        return [name] { return workstations::frmDokum(appstate::State())->pgDokum->findChild<QWidget *>(name); };
    };
    const struct
    {
        int group, icon;                 // where the navigation bar shows the view
        std::function<QWidget *()> open; // chooses the record; the field typed into
        const char *file, *item;         // the data file and the item that hold the field
    } views[] = {
        {1, 0, docField("me_0_Okolicznosci"), nullptr, "Okolicznosci"},
        {2, 1, docField("ed_0_ImNazw"), nullptr, "ImNazw"},
        {0, 1,
         [&] {
             w.findChild<QComboBox *>("cbStanow")->setCurrentText("Spawacz - spawalnia MAG");
             pomiar->cbStanowClick();
             auto *factors = w.findChild<QListWidget *>("lbCzyn");
             factors->setCurrentItem(factors->findItems("Hałas", Qt::MatchStartsWith)[0]);
             w.findChild<QListWidget *>("lbPomiar")->setCurrentRow(0);
             return pomiar->MeasurementPages().Pages()->findChild<QWidget *>("ed_PEWartZm");
         },
         "zaklocen/stan_1/halas_fizyczny_dane.xml", "PEWartZm"},
        {0, 0, [&]() -> QWidget * { return welder(), stan->e_Kod; }, welderFile, "Kod"},
        {0, 0,
         [&]() -> QWidget * {
             welder(), stan->pgDefin->setCurrentWidget(stan->tsZatrudn), stan->sgZatrudn->setCurrentCell(0, 1);
             return stan->sgZatrudn;
         },
         welderFile, "Mezczyzni"},
    };
    for (const auto &view : views) {
        clickHeader(w, view.group), clickIcon(w, view.icon);
        for (Road road : {Straight, Preview, HelpWindow, Dialog, TabChange}) {
            SCOPED_TRACE(testing::Message() << appstate::State().ViewName.toStdString() << ", road " << road);
            QWidget *field = view.open();
            field->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // typed over, never beyond a limit
            QTest::keyClicks(field, "7");
            w.mZapisz->trigger();
            EXPECT_TRUE(!w.mZapisz->isEnabled() && holds(view.file, view.item, field));
            dialogs.steps.clear(), dialogs.steps << [](QDialog &) { return int(QDialog::Accepted); }; // "Wydruk"
            takeRoad(road, w, field);
            ASSERT_TRUE(field == QApplication::focusWidget() || field->isAncestorOf(QApplication::focusWidget()));
            for (char key : {'9', '3'}) // to the cell editor once the first key opened it
                QTest::keyClick(QApplication::focusWidget(), key);
            w.mZapisz->trigger();
            EXPECT_TRUE(shown(field).endsWith('3')); // a cell editor the road closed begins anew
            EXPECT_TRUE(!w.mZapisz->isEnabled() && !appstate::State().Modified() &&
                        holds(view.file, view.item, field));
        }
    }
    // A cell typed into, then another view chosen: Anuluj keeps the view, its commands on.
    QTest::keyClicks(QApplication::focusWidget(), "58"), boxes.Answer(platform::MsgCancel), clickHeader(w, 1);
    EXPECT_TRUE(w.HostedPanel == stan->GetMainPanel() && w.tbSave->isEnabled() && w.tbNew->isEnabled());
    // Shown again with nobody employed in its year, a measurement keeps its stored rating: it
    // is said, Save is offered, and the record and its file change on Save only.
    appstate::State().SetModified(false), QApplication::processEvents(), clickIcon(w, 1), views[2].open();
    pomiar->SelectedWorkstation()->Employment.clear();
    boxes.boxes.clear(), w.findChild<QListWidget *>("lbPomiar")->setCurrentRow(-1), views[2].open();
    const int stored = pomiar->SelectedMeasurement()->ocenamax;
    EXPECT_TRUE(stored > 0 && boxes.Texts().join("").contains(pomiar->SelectedMeasurement()->data) &&
                w.mZapisz->isEnabled());
    w.mZapisz->trigger();
    EXPECT_TRUE(pomiar->SelectedMeasurement()->ocenamax == 0 && !w.mZapisz->isEnabled());
    // The Risk Score editor's own "Zapisz / Ustaw bieżącą", a cell of the P table being edited.
    assessment::TfrmParamRiscScore editor;
    editor.Inicjuj(0), editor.show(), editor.bEdytujClick(), activate(&editor);
    editor.strGrPrawd->setCurrentCell(0, 1), editor.strGrPrawd->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(editor.strGrPrawd, "Rzadko"), editor.bZapiszClick();
    QTest::keyClicks(QApplication::focusWidget(), "9"), editor.bZapiszClick();
    const auto p = storage::ReadRiskScore(1).Set.Params;
    const auto row = std::find_if(p.begin(), p.end(), [](auto &r) { return r.Typ == storage::RiskScoreProbability; });
    EXPECT_TRUE(shown(editor.strGrPrawd).endsWith('9') && row->OpisPodst == shown(editor.strGrPrawd));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the cell editors closed
    EXPECT_EQ(pasteOverEveryLimit(editor.strGrPrawd, boxes), 1);         // a cell's limit is told like any other
}

TEST_F(ScreenAndFile, EveryLimitedControlOfEveryViewTellsWhatDoesNotFit)
{
    for (const auto &[group, items] : {std::pair(1, 7), std::pair(2, 3), std::pair(0, 1)}) { // documents, workstations
        clickHeader(w, group);
        for (int item = 0; item < items; ++item) {
            clickIcon(w, item);
            if (group == 0)
                workstations::frmDefStan(appstate::State())->lbStanowiska->setCurrentRow(0);
            EXPECT_GT(pasteOverEveryLimit(w.HostedPanel, boxes), 4) << appstate::State().ViewName.toStdString();
            appstate::State().SetModified(false);
        }
    }
    clickIcon(w, 1); // the pages of every measured factor of the sample workstations
    assessment::TfrmRyzZakl *pomiar = assessment::frmRyzZakl(appstate::State());
    auto *stations = w.findChild<QComboBox *>("cbStanow");
    auto *factors = w.findChild<QListWidget *>("lbCzyn");
    for (int s = 0; s < stations->count(); ++s) {
        stations->setCurrentIndex(s), pomiar->cbStanowClick();
        for (int f = 0; f < factors->count(); ++f) {
            factors->setCurrentRow(f), w.findChild<QListWidget *>("lbPomiar")->setCurrentRow(0);
            pasteOverEveryLimit(pomiar->MeasurementPages().Pages(), boxes);
            appstate::State().SetModified(false);
        }
    }
    EXPECT_EQ(pasteOverEveryLimit(assessment::frmNowyPomiar(), boxes) +
                  pasteOverEveryLimit(workstations::frmCzynnWl(), boxes),
              4);
}
