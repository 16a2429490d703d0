#pragma once

// Builds the measurement pages of a form definition into a page control.
//
// What it guarantees: one tab "ts_N" per `page` item holding a scroll box "sc_N"; each
// field's controls at the position its row, its column width (`szerkol`), its width
// (`szer`) and `pozycja` give, named with their kind's prefix; a vertical separator after
// every cell and a horizontal one under every row that holds a field; the content of each
// page sized to the controls so that it scrolls. Field kinds it does not know build
// nothing and are collected for one message. Inputs are bound to the pages' field
// events; with access refused (previews, the sample data) they are shown disabled and
// evaluate nothing.

#include <QFont>
#include <QIcon>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QComboBox;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace storage {
class TPomiar;
} // namespace storage

namespace assessment {

class TMeasurementPages;

class TPageBuilder
{
public:
    // takeAccess: the inputs take their own access flags and raise the pages' handlers.
    TPageBuilder(TMeasurementPages &pages, QTabWidget *pageControl, bool takeAccess, bool autoSizeHeaders);

    // Builds every item in order; rows close when the row number changes.
    void Build(std::vector<std::unique_ptr<storage::TPomiar>> &items);

    QScrollArea *FirstPage() const { return m_firstPage; }
    // "kind" (pole "name") of each field of a kind this program does not know.
    const QStringList &UnknownKinds() const { return m_unknownKinds; }

    // Selects the stored value of a combo: an item index gives that item (whose text the
    // field then holds), a text its item; a stored text the list no longer offers is shown
    // as stored, and the combo cannot be changed by accident.
    static void SelectComboValue(QComboBox *combo, storage::TPomiar &item);

    // "left" aligns left, "right" right, anything else centres.
    static Qt::Alignment ParseAlignment(const QString &text);
    // The words "bold", "italic" and "underline" anywhere in text give those styles of base.
    static QFont ParseFontStyle(const QString &text, const QFont &base);
    // Characters of the field font: one sans-serif face at a fixed pixel size, so that the
    // layout does not depend on the screen.
    static QFont FieldFont();

private:
    struct LayoutEntry
    {
        QString Name;
        int Top = 0;
        int Left = 0;
        int Height = 0;
        int Width = 4;
    };

    void startPage(const storage::TPomiar &item);
    void finishPage();
    void closeRow();
    void place(QWidget *w, int left, int top, int width, int height);
    void applyAccess(QWidget *w, const storage::TPomiar &item) const;
    // The caption left of an input (`etyk` of a form, combo, memo or edit field); true when
    // one was built, with the input's left in inputLeft.
    bool buildCaption(const storage::TPomiar &item, int &inputLeft);
    int inputLeft(const storage::TPomiar &item, int width, bool hasCaption, int captionInputLeft) const;

    // One builder per field kind.
    void buildEdit(storage::TPomiar &item, int left, bool readOnly); // `edit` and `form`
    void buildMemo(storage::TPomiar &item, int left, bool readOnly);
    void buildCombo(storage::TPomiar &item, int left);
    void buildCheckBox(const storage::TPomiar &item);
    void buildHeader(const storage::TPomiar &item); // `parametr` and `naglowek`
    void buildLabel(const storage::TPomiar &item);
    void endCell(const storage::TPomiar &item);

    static QIcon choiceGlyph();

    TMeasurementPages &m_pages;
    QTabWidget *m_pageControl;
    bool m_takeAccess;
    bool m_autoSizeHeaders;
    QFont m_baseFont;
    QFont m_boldFont;
    QIcon m_glyph;

    // Layout state: top of the row, its height so far, left of the next cell, row number.
    int m_top = 0, m_rowHeight = 0, m_left = 0, m_row = 0;
    int m_lastWidth = 0; // width of the last field, for the row's separator
    QString m_lastName;
    bool m_rowHasField = false;
    std::vector<LayoutEntry> m_entries;
    QWidget *m_content = nullptr;
    QScrollArea *m_firstPage = nullptr;
    QSize m_extent; // bounding size of the current page's controls
    QStringList m_unknownKinds;
};

} // namespace assessment
