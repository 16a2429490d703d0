#pragma once

#include "appstate/view.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace shell {

// Stands in for a view whose window is not in the program yet: a named panel with a short
// note. It takes the calls of the view interface like a real view and records them, so the
// navigation and the command routing work (and can be checked) before every view exists.
class PlaceholderView : public appstate::TView
{
public:
    // The hidden window that owns the panel is a hidden child of owner; state is the main
    // window's.
    PlaceholderView(appstate::AppState &state, const QString &viewName, QWidget *owner);
    ~PlaceholderView() override;

    QWidget *GetMainPanel() override { return m_panel; }
    void InitView() override;
    void InitDocumentView(const QString &definitionPath) override;
    void Navigate(const QString &url) override;
    void New() override;
    bool Save() override;
    void Delete() override;
    void Modify() override;
    void Print() override;
    void Copy() override;
    void Paste() override;
    bool AskSaveChanges() override;

    const QString &ViewName() const { return m_viewName; }
    int InitCount = 0;
    QString LastDefinitionPath;
    QString LastUrl;
    QStringList Calls; // "InitView", "New", "Save", ... in call order

private:
    QString m_viewName;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_panel;
};

} // namespace shell
