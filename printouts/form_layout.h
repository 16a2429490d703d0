#pragma once

// The layout table of one statutory form page, read from its text (the format is
// described in form_page.h, with how a page is added). Reading only: the table becomes
// report bands and controls in TFormPage.
//
// What it guarantees: any text gives a layout or a list of errors, each naming its line;
// never a crash or a hang. A layout with errors is never built into a page.

#include "reportengine/vr_band.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace printouts {

struct TLayoutControl
{
    enum Kind { Text, Value, Shape, Tick };
    Kind kind = Text;
    QString name;
    // Millimetres from the band's top left corner (left counted from the left margin).
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    QStringList style; // the style tokens as written
    QString text;      // caption of a fixed text, blank-form text of a value label
    int line = 0;      // line of the table, for messages
    // Values: the number the form gives the item the value fills ("8.", "III.2."): the
    // token "no=..." where the table gives one, else the last section ("III. ...") and
    // item ("2. ...") captions before it in the table; empty when the form numbers none.
    QString itemNumber;
};

struct TLayoutBand
{
    QString name;
    reportengine::TVRBandType type = reportengine::TVRBandType::rbDetail;
    double height = 0; // millimetres
    QString parent;    // child bands: the band they follow
    QString master;    // sub-details and groups: the sub-detail whose records they follow
    bool newPage = false;
    bool alignToBottom = false;
    std::vector<TLayoutControl> controls;
    int line = 0;
};

struct TFormLayout
{
    QString reportName;
    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10;
    double margins[4] = {10, 10, 10, 10}; // left, top, right, bottom (mm)
    int options = 0;                      // reportengine report options
    std::vector<TLayoutBand> bands;

    // Every control of the page, in table order.
    std::vector<const TLayoutControl *> Controls() const;
};

// Reads a layout table. Errors ("line 12: ...") are appended to errors; the layout is
// usable only when none was added.
TFormLayout ParseFormLayout(const QString &text, QStringList &errors);

// The font family a style token names ("sans", "serif", "mono"), or an empty text.
QString FontFamilyOfToken(const QString &token);

} // namespace printouts
