#include "shell/frm_www.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/cp1250.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/window_registry.h"
#include "widgets/form_geometry.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

namespace {

// The character set a page declares in its first kilobytes ("<meta ... charset=...>"),
// or a byte order mark; empty when it declares none.
QByteArray declaredCharset(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return "utf-8";
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return "utf-16";
    static const QRegularExpression charset(QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = charset.match(QString::fromLatin1(bytes.left(4096)));
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
}

bool isWindows1250(const QByteArray &name)
{
    return name == "windows-1250" || name == "cp1250" || name == "x-cp1250";
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString errorPage(const QString &file)
{
    return QStringLiteral("<html><body><h3>Nie można otworzyć strony</h3><p>%1</p></body></html>").arg(escaped(file));
}

bool isLocalPage(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

} // namespace

// ---- the browser control ---------------------------------------------------------------

TWebBrowser::TWebBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &TWebBrowser::followLink);
}

QString TWebBrowser::DecodePage(const QByteArray &bytes)
{
    const QByteArray charset = declaredCharset(bytes);
    if (charset.isEmpty() || isWindows1250(charset))
        return platform::DecodeCp1250(bytes);
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        return platform::DecodeCp1250(bytes);
    return decoder.decode(bytes);
}

QVariant TWebBrowser::loadResource(int type, const QUrl &name)
{
    if (!name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    // Names in pages were written on a system that ignores case.
    const QString file = platform::ToFilePath(name.toLocalFile());
    if (type != QTextDocument::HtmlResource)
        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(file));
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly))
        return errorPage(name.toLocalFile());
    return DecodePage(f.readAll());
}

void TWebBrowser::Navigate(const QString &url)
{
    QUrl u(url);
    if (u.scheme().isEmpty())
        u = QUrl::fromLocalFile(url);
    m_pageFile = u.isLocalFile() ? u.toLocalFile() : QString();
    // The same address again is read again: the page may have changed on disk.
    if (u == source())
        reload();
    else
        setSource(u, QTextDocument::HtmlResource);
}

void TWebBrowser::followLink(const QUrl &link)
{
    const QUrl target = source().resolved(link);
    if (target.scheme() == source().scheme() && target.path() == source().path() && target.hasFragment()) {
        scrollToAnchor(target.fragment());
        return;
    }
    if (isLocalPage(target)) {
        Navigate(target.toString());
        return;
    }
    platform::CurrentLauncher().OpenWithDesktop(target.isLocalFile() ? platform::ToFilePath(target.toLocalFile())
                                                                     : target.toString());
}

// ---- the view ------------------------------------------------------------------------------

TfrmWWW::TfrmWWW(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::WebPage)
{
    setObjectName(QStringLiteral("frmWWW"));
    resize(637, 459);
    pMainWWW = new QWidget(this);
    pMainWWW->setObjectName(QStringLiteral("pMainWWW"));
    auto *layout = new QVBoxLayout(pMainWWW);
    layout->setContentsMargins(0, 0, 0, 0);
    wwwMain = new TWebBrowser(pMainWWW);
    wwwMain->setObjectName(QStringLiteral("wwwMain"));
    layout->addWidget(wwwMain);
    // The panel travels to the main window and back; it fills this window only while home.
    pMainWWW->setGeometry(rect());
    widgets::RestoreFormGeometry(this);
}

TfrmWWW::~TfrmWWW()
{
    widgets::SaveFormGeometry(this);
}

void TfrmWWW::Navigate(const QString &url)
{
    wwwMain->Navigate(url);
}

TfrmWWW *frmWWW()
{
    static QPointer<TfrmWWW> slot;
    return platform::WindowSingleton(slot, appstate::State());
}

void RegisterViews()
{
    appstate::RegisterView(appstate::WebViewName(), [] { return static_cast<appstate::TView *>(frmWWW()); });
}

} // namespace shell
