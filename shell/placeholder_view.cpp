#include "shell/placeholder_view.h"

#include "appstate/appstate.h"

#include <QLabel>
#include <QVBoxLayout>

namespace shell {

PlaceholderView::PlaceholderView(appstate::AppState &state, const QString &viewName, QWidget *owner)
    : appstate::TView(state), m_viewName(viewName)
{
    m_window = new QWidget(owner);
    m_window->setObjectName(QStringLiteral("placeholder_") + viewName);
    m_window->hide();
    m_panel = new QWidget(m_window);
    m_panel->setObjectName(QStringLiteral("pPlaceholder_") + viewName);
    m_panel->setProperty("viewName", viewName);
    auto *layout = new QVBoxLayout(m_panel);
    // The user knows the place by the caption above the panel, never by its internal name.
    auto *label = new QLabel(QStringLiteral("Ta część programu nie jest jeszcze dostępna w tej wersji."), m_panel);
    label->setObjectName(QStringLiteral("lPlaceholder"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
}

PlaceholderView::~PlaceholderView()
{
    // The panel may be hosted by the main window right now; it goes with its window or
    // with the main window, whichever owns it.
}

void PlaceholderView::InitView()
{
    ++InitCount;
    Calls << QStringLiteral("InitView");
}

void PlaceholderView::InitDocumentView(const QString &definitionPath)
{
    ++InitCount;
    LastDefinitionPath = definitionPath;
    Calls << QStringLiteral("InitDocumentView");
}

void PlaceholderView::Navigate(const QString &url)
{
    LastUrl = url;
    Calls << QStringLiteral("Navigate");
}

void PlaceholderView::New()
{
    Calls << QStringLiteral("New");
}

bool PlaceholderView::Save()
{
    Calls << QStringLiteral("Save");
    return true;
}

void PlaceholderView::Delete()
{
    Calls << QStringLiteral("Delete");
}

void PlaceholderView::Modify()
{
    Calls << QStringLiteral("Modify");
}

void PlaceholderView::Print()
{
    Calls << QStringLiteral("Print");
    appstate::TView::Print();
}

void PlaceholderView::Copy()
{
    Calls << QStringLiteral("Copy");
}

void PlaceholderView::Paste()
{
    Calls << QStringLiteral("Paste");
}

bool PlaceholderView::AskSaveChanges()
{
    Calls << QStringLiteral("AskSaveChanges");
    return appstate::AskSaveChangesDefault(Shared());
}

} // namespace shell
