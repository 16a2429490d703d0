#pragma once

// Statutory form pages: one window class per printed page of a statutory document (never
// shown), owning one report laid out as exactly one A4 page. The fixed texts, lines and
// boxes of the official form are labels and shapes; every value that comes from the
// document is a label (or a tick shape) named after the document field. No page knows its
// document: before every run the print composer's filler (form_filler.h) writes the
// current document's values into the components whose names begin with the field names.
//
// What it guarantees:
// - the layout is data: one table per page, compiled in as a resource; a page whose table
//   is missing is "not built" (the composer leaves it out), one whose table has errors is
//   built without bands and says so in LayoutErrors() (the consistency test fails on it);
// - Components() are the page's labels and shapes in table order, the order the filler
//   walks them ("the last write wins");
// - no value label ever prints its own name: its caption is cleared after naming (or set
//   to the blank-form text the table gives it);
// - the captions, enabled states and sizes the table gives are kept as the design
//   (DesignCaption, DesignEnabled, DesignHeight), so fills and band handlers can go back to
//   them and nothing of one print leaks into the next;
// - the report's BeforePrint fills the page and then runs AfterFill(), at every run (a
//   composite run calls it twice per page);
// - no value is cut on paper: a word-wrapped value label whose text its box (as sized
//   when it prints, also by a handler) cannot hold prints there what the box holds,
//   ending with the note "(ciąg dalszy na stronie dodatkowej)", and the rest on a further
//   sheet after the page, headed "Ciąg dalszy: ", the form's number of the item and the
//   caption of the document item. A one-line value prints whole on its line, in smaller
//   type where it must (down to 6 pt), else on two lines; only what even that cannot hold
//   goes to the further sheet. A label printed more than once in a run (a page header on
//   every sheet) hands its rest on once. This is the value label's OnPrint; a handler that
//   sets its own takes the label's text over whole;
// - every further sheet names the document: the form's title, the document's number (else
//   the person it is about) and the sheet's page number, in a header of its own that
//   takes the place of the form's page headers there (page_forms.h gives title and
//   identity per definition). A further sheet is any sheet after the page's first in a
//   run: one its bands run onto (a table longer than a page) as much as one of carried
//   texts. The bands that run on repeat the head of their table there when the table
//   gives one (a "columnheader" band).
//
// ======================================================================================
// The layout table
// ======================================================================================
// File printouts/layouts/<page form>.txt, named after the page form's object name (the
// class name without "T": frmQZaswiadczenie_P1.txt), UTF-8. The build compiles every
// .txt file of that folder into the program; it is read as ":/formpages/<page form>.txt".
//
// One record per line, columns separated by "|" (blanks around a column do not count).
// Empty lines and lines beginning with "#" are comments. The last column of a "text" or
// "value" record is the rest of the line, "|" included; "\n" in it is a line break.
// Lengths are millimetres with at most three decimals ("12.5").
//
//   report | <name> | <style>
//       The first record. <name>: the report component ("VelRep", "vrSkier",
//       "vrKartaSzWst"). Paper A4 portrait, units millimetres. Style tokens:
//         sans | serif | mono    report font Arial (default), Times New Roman, Courier New
//         <n>pt                  report font size (default 10pt)
//         margins=l,t,r,b        margins in mm (default 10,10,10,10)
//         options=A,B            report options: FirstPageHeader, LastPageFooter (default
//                                both; "options=" for none)
//
//   band | <name> | <type> | <height> | <style>
//       A band; the controls below it (up to the next band) lie on it. <type>:
//       pageheader, title, detail, pagefooter, summary, child, subdetail, group,
//       columnheader. A columnheader band prints at the top of every further sheet the
//       page's bands run onto, under the header naming the document: the head of a table
//       that may run on (laid out again, as the table's own head prints on the first
//       sheet). Never on the first sheet, nor on the sheets of carried texts.
//       Style tokens:
//         parent=<band>   child bands: the band it prints after (required)
//         master=<band>   sub-details and groups: the sub-detail whose records they follow
//                         (default: the report; sub-details print once, in table order)
//         newpage         ForceNewPage: the first band of every page form has it, so the
//                         page starts on a page of its own inside a composite document
//         bottom          AlignToBottom
//
//   text  | <name> | <box> | <style> | <caption>        a fixed text of the form
//   value | <name> | <box> | <style> | <blank text>     a value label, named after a field
//   shape | <name> | <box> | <style>                    a fixed line or box of the form
//   tick  | <name> | <box> | <style>                    a tick box mark or strike-out line of
//                                                       a "combo" field: <field>_<code>
//       <name> "-" gives fixed texts and shapes the default names VRLabel<n>, VRShape<n>
//       (numbered through the page); name a fixed text only when a band handler sets it
//       ("vrlOsoba"), and then with a prefix no field starts with ("vrl", "vrs").
//       <box>: left,top,width,height, from the band's top left corner (left from the left
//       margin, so 0..190 on a page with 10 mm margins).
//       The blank text of a value label is what a "tekst" field prints on blank forms;
//       leave it empty otherwise.
//       Text and value style tokens:
//         sans | serif | mono    font family (default: the report's)
//         <n>pt                  font size (default: the report's)
//         b  i  u                bold, italic, underlined
//         left | center | right  alignment (default left)
//         nowrap                 one line, cut at the box (default: words wrap in the box)
//         frame | frame=LTRB     a frame on all sides, or on the sides named
//         off                    disabled as designed: a carrier label that only holds a
//                                value for a band handler (never printed)
//         grows                  a band handler sizes it (exempt from the fit check)
//         stretch                the band grows with the text, on to the next pages
//                                (for parts of a letter, not boxes of a form)
//         pageno                 fixed texts only: prints the caption, a blank and the
//                                number of the page in the printed document ("Strona: 2")
//         no=<number>            values: the form's number of the item ("no=III.4."), which
//                                heads its continuation; by default the last section
//                                ("II. ...") and item ("3. ...") captions before it in the
//                                table; "no=-" for none
//       Shape and tick style tokens:
//         rect (default) | hline | vline | topbottom | sides | circle | roundrect
//         pen=<n>                pen width in page pixels (default 1)
//         dot | dash             pen style (default solid)
//         fill | white           filled black or white (default: not filled, so a box
//                                drawn after a text never hides it)
//         off                    disabled as designed
//
// Example (a caption, a value, a dotted line under it, a tick box with its mark):
//   band  | ChildBand1 | child     | 40  | parent=DetailBand1
//   text  | vrlOsoba   | 0,2,20,5  | b   | Pan(i):
//   value | ImNazw     | 22,2,120,5 |    |
//   shape | -          | 22,7,120,0.5 | hline dot
//   shape | -          | 150,2,4,4 | rect
//   tick  | Plec_1     | 150.8,2.8,2.4,2.4 | fill
//
// ======================================================================================
// Adding a page form
// ======================================================================================
// 1. Find the page in the catalogue (page_forms.cpp: the 29 page forms and the choice
//    table "definition file x wer_dok -> page forms"); both are complete already.
// 2. Write printouts/layouts/<page form>.txt (re-run cmake so the build sees the new file).
//    The page is then built: the composer prints it and the consistency test checks it.
// 3. Name value labels, "Kod_" labels and ticks after the fields of the definitions the
//    choice table gives the page (docs/document_fields.md; the filler's rules are in
//    form_filler.h). A field the page needs and the definition lacks goes into
//    tools/make_document_definitions.py, which writes the definitions and that table.
// 4. Band handlers (gender wording, growing rows, optional sections): a class
//    T<page form> derived from TFormPage that binds them in its constructor by band and
//    component name and resets its counters in AfterFill(); register its factory in
//    PageClassFactories() (page_forms.cpp). Pages without handlers need no C++ code.
// 5. Run tests_printouts. The consistency test takes every built page from the catalogue
//    by itself: the table reads without errors, the first band has newpage, every value
//    label, "Kod_" label and tick is matched by a field (and a tick by a leaf of the
//    field's tree), no label is matched by a shorter field that would win, no fixed text
//    or fixed shape is touched by the filler, every control lies inside its band and the
//    page's width, every fixed text fits its box and every value box the longest value its
//    field allows (a 10 pt line is 15 page pixels, about 4 mm; a word-wrapped box of n
//    lines needs n x 4 mm), no rule of the form runs through the letters of a text or a
//    value (a rule under a line sits below its descenders), the blank page prints as one
//    page, no page prints a component name, and once every page of a definition is built,
//    every stored field prints somewhere. The program's print test (tests/app) prints
//    every definition with each item at its limit, measures where each one-line value
//    lands on paper, and finds every sheet after a page's first naming the document (and
//    repeating the head of a table that runs on there). Handlers get a test of their own (training_pages_test.cpp in
//    tests/printouts/ is the pattern).
// 6. Give the document's title and identity fields in the page's row of the choice table
//    (page_forms.cpp): every further sheet is headed with them.

#include "printouts/form_layout.h"

#include "reportengine/vr_band.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_shape.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace printouts {

class TFormPage : public QWidget
{
    Q_OBJECT

public:
    // Builds the page named `name` ("frmQZaswiadczenie_P1") from its layout resource.
    explicit TFormPage(const QString &name);
    // Builds a page from a layout table given as text (tests, trying out a layout).
    TFormPage(const QString &name, const QString &layoutText);
    ~TFormPage() override;

    // The resource of a page form's layout table.
    static QString LayoutResource(const QString &name);
    // Whether the program holds a layout table for the page form.
    static bool LayoutExists(const QString &name);

    reportengine::TVelRep *Report() const { return m_report; }
    const TFormLayout &Layout() const { return m_layout; }
    // Errors of the layout table; a page with errors has no bands.
    const QStringList &LayoutErrors() const { return m_errors; }

    // The labels and shapes in table order.
    const std::vector<reportengine::TVRPrintable *> &Components() const { return m_components; }
    reportengine::TVRLabel *Label(const QString &name) const;
    reportengine::TVRShape *Shape(const QString &name) const;
    reportengine::TVRCustomBand *Band(const QString &name) const;
    // The kind the table gave a component (Text for one the table does not know).
    TLayoutControl::Kind KindOf(const reportengine::TVRPrintable *component) const;

    // As laid out.
    QString DesignCaption(const reportengine::TVRPrintable *component) const;
    bool DesignEnabled(const reportengine::TVRPrintable *component) const;
    // Heights in tenths of a millimetre.
    double DesignHeight(const reportengine::TVRPrintable *component) const;
    double DesignBandHeight(const reportengine::TVRCustomBand *band) const;

    // Whether blank forms are being printed (the composer's "Drukuj puste formularze").
    static bool BlankForms();

    // The caption of the document item a value label prints, noted by the filler: it heads
    // the continuation of a text its box cannot hold.
    void NoteItemCaption(const reportengine::TVRPrintable *label, const QString &caption);
    // The lines of text the label's box holds as it is sized now.
    static int LinesHeld(const reportengine::TVRCustomLabel &label);

    // The height, in tenths of a millimetre, a further sheet leaves its bands under the
    // header naming the current document and the head of the table that runs on: a band
    // no higher fits on such a sheet.
    double FurtherSheetRoom();

    // What the user should know before the current document prints on this page (a value
    // the page will not print, and why); empty when nothing. Asked before the preview.
    virtual QString DocumentNotice() const { return QString(); }

protected:
    // After the fill at every report BeforePrint: handlers reset their per-run state here.
    virtual void AfterFill() {}

private:
    struct Design
    {
        TLayoutControl::Kind kind = TLayoutControl::Text;
        QString caption;
        bool enabled = true;
        double height = 0;
        QString itemNumber; // the form's number of the item the value fills
    };
    struct Carried
    {
        const QObject *from = nullptr; // the label whose box could not hold it all
        QString value;                 // what the label was given to print
        QString kept;                  // what its box prints
        QString heading;
        QString text;
        QFont font;
    };

    void Init(const QString &name, const QString *layoutText);
    void Build();
    void AddControl(reportengine::TVRCustomBand *band, const TLayoutControl &control);
    // The chain of bands after everything else that prints the carried texts, one a band,
    // and the page header that names the document on each continuation sheet.
    void BuildContinuation(reportengine::TVRCustomBand *summary, int bands);
    void BuildContinuationHeader();
    void PrintCarried(int index, reportengine::TVRCustomBand *band, bool &printBand);
    void PrintContinuationHeader(reportengine::TVRCustomBand *band, bool &printBand);
    // Names the current document in the header of further sheets; its height.
    double LayOutContinuationHeader();
    // A sheet of this page's run begins: from the second on, the header naming the document
    // takes the place of the page's own headers, and the table's head is repeated.
    void StartSheet();
    // The text the label prints of `value`: all of it, or what its box holds with the note
    // (the rest is carried on to the continuation sheet of this run, once however often
    // the label prints).
    QString CarryOver(reportengine::TVRCustomLabel &label, const QString &value);
    // A one-line value: whole on its line, in smaller type where needed (down to 6 pt),
    // else on two lines; what even that cannot hold goes whole to the continuation sheet.
    QString FitOneLine(reportengine::TVRCustomLabel &label, const QString &value);
    const Carried *CarriedFrom(const reportengine::TVRCustomLabel &label, const QString &value) const;
    QString CarriedHeading(const reportengine::TVRCustomLabel &label) const;

    reportengine::TVelRep *m_report = nullptr;
    TFormLayout m_layout;
    QStringList m_errors;
    std::vector<reportengine::TVRPrintable *> m_components;
    QHash<const QObject *, Design> m_design;
    QHash<const QObject *, double> m_bandHeights;
    QHash<const QObject *, QString> m_itemCaptions;
    std::vector<Carried> m_carried;
    // The sheets of carried texts have begun in this run: no table runs on there.
    bool m_continuing = false;
    // The sheets this run has begun; from the second on, the page's own headers give way
    // to the header naming the document.
    int m_sheets = 0;
    std::vector<reportengine::TVRCustomBand *> m_pageHeaders;
    reportengine::TVRCustomBand *m_columnHeader = nullptr;
};

} // namespace printouts
