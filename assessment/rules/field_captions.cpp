#include "assessment/rules/field_captions.h"

#include <QStringList>

#include <vector>

namespace assessment::rules {

namespace {

using storage::TPomiar;

// One line of a page as the user sees it: a heading, or the cells of one row.
struct Line
{
    const TPomiar *heading = nullptr;
    std::vector<const TPomiar *> cells;
};

bool isInput(const TPomiar &item)
{
    const QString &t = item.typ();
    return t == QLatin1String("edit") || t == QLatin1String("combo") || t == QLatin1String("memo") ||
           t == QLatin1String("checkbox") || t == QLatin1String("form");
}

bool isLabel(const TPomiar &item)
{
    return item.typ() == QLatin1String("label");
}

// The text a label shows; a bare number (a frequency band) says more by its short text.
QString labelText(const TPomiar &item)
{
    const QString text = item.etyk.trimmed();
    bool hasLetter = false;
    for (const QChar c : text)
        hasLetter = hasLetter || c.isLetter();
    QString shortText = item.skrot().trimmed();
    if (shortText.endsWith(QLatin1Char('=')) || shortText.endsWith(QLatin1Char(':')))
        shortText.chop(1);
    return hasLetter || shortText.isEmpty() ? text : shortText.trimmed();
}

// A heading shows the variant chosen of its ";"-separated captions.
QString headingText(const TPomiar &item)
{
    const QStringList parts = item.etyk.split(QLatin1Char(';'));
    const int n = item.ChoiceNr;
    return (n >= 1 && n <= parts.size() ? parts.at(n - 1) : parts.first()).trimmed();
}

// A row of column headings: labels only.
bool isHeaderRow(const Line &line)
{
    if (line.heading || line.cells.empty())
        return false;
    bool label = false;
    for (const TPomiar *c : line.cells) {
        if (isInput(*c))
            return false;
        label = label || isLabel(*c);
    }
    return label;
}

const TPomiar *cellAt(const Line &line, int column)
{
    for (const TPomiar *c : line.cells)
        if (c->Column() == column)
            return c;
    return nullptr;
}

// The lines of the page `field` stands on (what follows a page item, an included part too),
// without the fields that are not shown, and the index of the line holding it.
std::vector<Line> linesOfPage(const storage::TPomiarList &items, const TPomiar &field, size_t &at)
{
    std::vector<Line> lines;
    bool found = false;
    for (const auto &item : items) {
        if (item->typ() == QLatin1String("page")) {
            if (found)
                break;
            lines.clear();
            continue;
        }
        if (!item->visible && item.get() != &field)
            continue;
        if (item->typ() == QLatin1String("naglowek")) {
            lines.push_back(Line{item.get(), {}});
            continue;
        }
        if (lines.empty() || lines.back().heading || lines.back().cells.front()->Row() != item->Row())
            lines.push_back(Line{});
        lines.back().cells.push_back(item.get());
        if (item.get() == &field) {
            at = lines.size() - 1;
            found = true;
        }
    }
    return found ? lines : std::vector<Line>();
}

// What a cell says of its row: a label's text, an input's own caption (a check box).
QString cellText(const TPomiar &cell)
{
    return isLabel(cell) ? labelText(cell) : isInput(cell) ? cell.etyk.trimmed() : QString();
}

// A row caption "- młodociani" continues the nearest row above that has one of its own.
QString continued(const std::vector<Line> &lines, size_t at, const QString &own)
{
    if (!own.startsWith(QLatin1Char('-')))
        return own;
    for (size_t k = at; k-- > 0;) {
        const TPomiar *first = lines[k].heading ? nullptr : cellAt(lines[k], 0);
        const QString above = first ? cellText(*first) : QString();
        if (!above.isEmpty() && !above.startsWith(QLatin1Char('-')))
            return above + QLatin1Char(' ') + own;
    }
    return own;
}

// The label heading the field's column: up through the rows of its table (rows of as many
// cells; headings between them skipped) to the first row of column headings.
QString columnCaption(const std::vector<Line> &lines, size_t at, const TPomiar &field)
{
    const size_t width = lines[at].cells.size();
    for (size_t k = at; k-- > 0;) {
        if (lines[k].heading)
            continue;
        if (lines[k].cells.size() != width)
            return QString();
        const TPomiar *c = cellAt(lines[k], field.Column());
        if (c && isLabel(*c) && isHeaderRow(lines[k]))
            return labelText(*c);
    }
    return QString();
}

// In a table the row is called by its first cell; elsewhere by the nearest caption left of
// the field.
QString rowCaption(const std::vector<Line> &lines, size_t at, const TPomiar &field, bool inTable)
{
    const TPomiar *caption = nullptr;
    for (const TPomiar *c : lines[at].cells) {
        if (c->Column() >= field.Column() || cellText(*c).isEmpty())
            continue;
        if (inTable ? c->Column() == 0 : (!caption || c->Column() > caption->Column()))
            caption = c;
    }
    return caption ? continued(lines, at, cellText(*caption)) : QString();
}

// The label a line begins with, when it has one.
QString leadingLabel(const Line &line)
{
    const TPomiar *first = line.heading ? nullptr : cellAt(line, 0);
    return first && isLabel(*first) ? labelText(*first) : QString();
}

// The heading of the table a row without a caption stands in: the label its header row
// begins with, else the nearest heading above.
QString tableCaption(const std::vector<Line> &lines, size_t at)
{
    for (size_t k = at; k-- > 0;) {
        const Line &line = lines[k];
        const QString text = line.heading        ? headingText(*line.heading)
                             : isHeaderRow(line) ? leadingLabel(line)
                                                 : QString();
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

} // namespace

QString DefinitionFieldCaption(const storage::TPomiarList &items, const QString &controlName)
{
    const QString nazwa = controlName.mid(controlName.indexOf(QLatin1Char('_')) + 1);
    const TPomiar *field = storage::FindField(items, nazwa);
    if (!field)
        return QString();
    if (!field->etyk.trimmed().isEmpty() && field->typ() != QLatin1String("naglowek"))
        return field->etyk.trimmed();
    size_t at = 0;
    const std::vector<Line> lines = linesOfPage(items, *field, at);
    if (lines.empty() || lines[at].heading)
        return QString();
    const QString column = columnCaption(lines, at, *field);
    QString row = rowCaption(lines, at, *field, !column.isEmpty());
    if (row.isEmpty())
        row = tableCaption(lines, at);
    if (row.isEmpty() || column.isEmpty() || row == column)
        return row.isEmpty() ? column : row;
    return row + QStringLiteral(": ") + column;
}

} // namespace assessment::rules
