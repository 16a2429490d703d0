#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/cp1250.h"
#include "platform/window_registry.h"
#include "shell/frm_main.h"
#include "shell/frm_www.h"
#include "shell/help_topics.h"
#include "storage/navigation_file.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/outlook_bar.h"

#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace shell;
using testsupport::FixtureFolder;
using testsupport::RecordingLauncher;
using testsupport::ScriptedPrompter;

namespace {

QString shownText()
{
    return frmWWW()->wwwMain->toPlainText();
}

QString url(const FixtureFolder &fx, const QString &relative)
{
    return QUrl::fromLocalFile(fx.FilePath(relative)).toString();
}

class WebView : public ::testing::Test
{
protected:
    void TearDown() override { platform::DestroyAllWindows(); }
    FixtureFolder fx;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
};

} // namespace

TEST_F(WebView, PagesAreWindows1250UnlessTheyDeclareAnotherCharset)
{
    fx.Write("strony/bez.htm", platform::EncodeCp1250("<html><body><p>Zażółć gęślą jaźń</p></body></html>"));
    fx.Write("strony/utf.htm",
             QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p>Łódź</p></body></html>").toUtf8());
    fx.Write("strony/jawnie.htm",
             platform::EncodeCp1250("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                    "charset=windows-1250\"></head><body>Świętokrzyskie</body></html>"));
    frmWWW()->Navigate(url(fx, "strony/bez.htm"));
    EXPECT_EQ(shownText(), QStringLiteral("Zażółć gęślą jaźń"));
    // The same window and control show the next page in place of the first.
    TWebBrowser *control = frmWWW()->wwwMain;
    frmWWW()->Navigate(url(fx, "strony/utf.htm"));
    EXPECT_EQ(frmWWW()->wwwMain, control);
    EXPECT_EQ(shownText(), QStringLiteral("Łódź"));
    frmWWW()->Navigate(url(fx, "strony/jawnie.htm"));
    EXPECT_EQ(shownText(), QStringLiteral("Świętokrzyskie"));
}

TEST_F(WebView, MissingPageAndBlanksInThePath)
{
    fx.Write("moje strony/strona A.htm", platform::EncodeCp1250("<html><body>Strona z odstępem</body></html>"));
    frmWWW()->Navigate(url(fx, "moje strony/strona A.htm"));
    EXPECT_EQ(shownText(), QStringLiteral("Strona z odstępem"));
    frmWWW()->Navigate(url(fx, "moje strony/brak.htm"));
    EXPECT_TRUE(shownText().contains(QStringLiteral("Nie można otworzyć strony"))) << shownText().toStdString();
    EXPECT_TRUE(shownText().contains(fx.FilePath("moje strony/brak.htm")));
    EXPECT_TRUE(prompter.boxes.isEmpty()); // the view says it; nothing interrupts
    // A page written with another case of letters than the link names is still found.
    frmWWW()->Navigate(url(fx, "MOJE STRONY/Strona a.htm"));
    EXPECT_EQ(shownText(), QStringLiteral("Strona z odstępem"));
}

TEST_F(WebView, LinksToPagesStayInTheViewOthersGoToTheDesktop)
{
    fx.Write("p/a.htm", platform::EncodeCp1250("<html><body><a href=\"b.html#dol\">dalej</a> "
                                               "<a href=\"http://example.invalid/x\">www</a> "
                                               "<a href=\"dok.pdf\">pdf</a></body></html>"));
    fx.Write("p/b.html",
             platform::EncodeCp1250("<html><body><p>Druga strona</p><a name=\"dol\">dół</a></body></html>"));
    TWebBrowser *b = frmWWW()->wwwMain;
    frmWWW()->Navigate(url(fx, "p/a.htm"));
    emit b->anchorClicked(QUrl("http://example.invalid/x"));
    emit b->anchorClicked(QUrl("dok.pdf"));
    EXPECT_EQ(launcher.opened, (QStringList{"http://example.invalid/x", fx.FilePath("p/dok.pdf")}));
    EXPECT_TRUE(shownText().startsWith("dalej"));
    emit b->anchorClicked(QUrl("b.html#dol"));
    EXPECT_TRUE(shownText().startsWith(QStringLiteral("Druga strona")));
    EXPECT_EQ(b->PageFile(), fx.FilePath("p/b.html"));
    // Back to the first page, as the user would with Alt+Left.
    b->backward();
    EXPECT_TRUE(shownText().startsWith("dalej"));
}

// The shipped navigation: "O programie" shows its page in the main window with Polish
// letters, and its links lead to the help pages.
TEST(WebViewShipped, AboutPageAndItsLinksToTheHelpPages)
{
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    shell::RegisterViews();
    {
        TfrmMain w;
        w.show();
        const int pomoc = w.FEGXMainOutlookBar->ButtonCount() - 1;
        QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->HeaderRect(pomoc).center());
        ASSERT_EQ(w.HostedPanel, frmWWW()->pMainWWW);
        EXPECT_TRUE(frmWWW()->pMainWWW->isVisible());
        EXPECT_TRUE(shownText().contains(QStringLiteral("specjalistę do spraw bezpieczeństwa i higieny pracy")));
        EXPECT_EQ(appstate::State().ViewName, QStringLiteral("frmDefStan")); // the commands keep their view
        emit frmWWW()->wwwMain->anchorClicked(QUrl("stanowiska.html"));
        EXPECT_TRUE(shownText().contains(QStringLiteral("prowadzi listę stanowisk zakładu")));
        // F1 on the page asks for the page about pages; the window as a whole, too.
        EXPECT_EQ(HelpContextOfName(frmWWW()->pMainWWW->objectName()), 1010);
        EXPECT_EQ(w.property("helpContext").toInt(), 1010);
        EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
    }
    platform::DestroyAllWindows();
    appstate::UnregisterView(appstate::WebViewName());
    appstate::State().ViewName.clear();
    appstate::State().ViewKind = storage::TViewKind::None;
    storage::NavigationGroups().clear();
}
