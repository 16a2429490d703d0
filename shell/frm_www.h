#pragma once

// The web page view: local HTML pages of the installation (instructions, legal texts, the
// help pages) shown in the main window for navigation items with an "htm" component.
//
// Pages are read by the view itself: a page that declares its character set is decoded by
// it, one that declares none is taken as Windows-1250, as the installation's pages are
// written. Links to other local pages open in the view; any other link (a web address,
// a mail address, a document of another kind) goes to the desktop's program for it. A
// page that cannot be read shows a short note in the view; no message box interrupts.

#include "appstate/view.h"

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>

namespace shell {

// The browser control: a text browser that reads local pages the program's way.
class TWebBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget *parent = nullptr);

    // Shows the page of a "file:" address; an anchor ("#...") scrolls to it.
    void Navigate(const QString &url);
    // The local file of the page shown (empty before the first page).
    QString PageFile() const { return m_pageFile; }

    QVariant loadResource(int type, const QUrl &name) override;

    // A page's text from its bytes: the character set it declares, else Windows-1250.
    static QString DecodePage(const QByteArray &bytes);

private:
    void followLink(const QUrl &link);
    QString m_pageFile;
};

class TfrmWWW : public QWidget, public appstate::TView
{
    Q_OBJECT
public:
    explicit TfrmWWW(appstate::AppState &state);
    ~TfrmWWW() override;

    QWidget *pMainWWW = nullptr;
    TWebBrowser *wwwMain = nullptr;

    QWidget *GetMainPanel() override { return pMainWWW; }
    void InitView() override {}
    void Navigate(const QString &url) override;
};

TfrmWWW *frmWWW();

// Registers the shell's own views with the main window ("frmWWW").
void RegisterViews();

} // namespace shell
