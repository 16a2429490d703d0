#pragma once

// The topics of the help file that the program asks for: the help context of each window,
// view or panel that has help, and the page that context opens. The pages are written and
// compiled into "pomoc\Tarvelin.chm" by tools/make_help_pages.py from a table with the
// same rows; a test reads the compiled file and checks that every row below is there.
//
// A window or panel is found by its component name. A new view or dialog gets its help by
// a row here and a row (with its page text) in the tool's table.

#include <QString>
#include <vector>

class QWidget;

namespace shell {

struct HelpTopicEntry
{
    int context;
    const char *name; // component name of the window, or of the panel a view docks
    const char *page; // page of the help file
};

constexpr int MainWindowHelpContext = 1000;

const std::vector<HelpTopicEntry> &HelpTopics();

// The context of a component name, 0 when it has no topic.
int HelpContextOfName(const QString &componentName);
// The page of a context ("okno_glowne.html"), empty when the program knows no such topic.
QString HelpTopicPage(int context);
// The first of w and its parents that has help: a "helpContext" property above 0, or a
// name with a topic; nullptr when none has.
const QWidget *ControlWithHelp(const QWidget *w);
// The help context that F1 on w asks for: that of ControlWithHelp(w), 0 when none.
int HelpContextOf(const QWidget *w);

} // namespace shell
