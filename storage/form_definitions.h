#pragma once

// The items of a measurement form: pages, headers and fields with their current values.
// The form definition files that produce them are read in form_definition_files.h.

#include <QString>
#include <memory>
#include <vector>

namespace storage {

// One value slot of a field (numbered from 1).
class TPomiarWart
{
public:
    TPomiarWart() = default;
    TPomiarWart(int nr, QString wartosc);

    int nr = 0;
    QString wartosc;

    bool operator==(const TPomiarWart &other) const = default;
};

class TPomiar;
using TPomiarList = std::vector<std::unique_ptr<TPomiar>>;

// One item of a measurement form: a page, a header or a field; a field also holds its
// current value. The page builder turns the items into controls, the measurement files
// fill them with stored values.
class TPomiar
{
public:
    TPomiar() = default;
    TPomiar(int PageNr, int ile, int rozm, int szer, int wys, int Row, int Column, int szerkol, int ChoiceNr, int param,
            QString PageName, QString nazwa, QString typ, QString druk, QString etyk, QString skrot, QString zal,
            QString wydropis, QString wydrwart, QString pozycja, QString Value, QString style, bool readonly,
            bool enabled, bool visible, bool onexit, bool onchange, bool sprpopr, QString function);

    int PageNr = 0;    // page number; a page item's own `nr`
    QString PageName;  // caption of that page
    QString nazwa;     // field name; controls and evaluation rules find fields by it
    QString typ;       // "page", "naglowek", "label", "edit", "combo", "memo", "checkbox", "form", ...
    QString druk;      // "T" = printed
    int Row = 0;       // row within the page, from 1
    int Column = 0;    // position within its row, from 0
    int szerkol = 0;   // column width
    QString pozycja;   // alignment
    int rozm = 0;      // size
    int szer = 0;      // width
    int wys = 0;       // height
    int ile = 0;       // number of value slots
    QString etyk;      // label text; ";" separates several texts
    QString skrot;     // short text
    QString zal;       // attachment (selection tree) name
    bool readonly = false;
    bool enabled = true;
    bool visible = true;
    bool onexit = false;
    bool onchange = false;
    bool sprpopr = true;
    QString style;
    QString wydropis;  // print description text
    QString wydrwart;  // print value text
    int param = 0;     // numeric parameter
    QString Value;     // current value; starts as the definition's default
    int ChoiceNr = 0;  // chosen entry of a combo box, or of a header's variants
    std::vector<std::unique_ptr<TPomiarWart>> Values; // value slots
    QString function;  // the form's evaluation, on page and header items

    // A deep copy, value slots included.
    std::unique_ptr<TPomiar> Clone() const;

private:
    TPomiar(const TPomiar &other); // through Clone: the slots are copied, not shared
    TPomiar &operator=(const TPomiar &) = delete;

public:
    // Field by field, value slots included.
    bool SameAs(const TPomiar &other) const;
};

// Deep copy of a whole item list.
TPomiarList CloneFields(const TPomiarList &fields);
// The first item with this name, or nullptr.
TPomiar *FindField(const TPomiarList &fields, const QString &nazwa);
bool SameFields(const TPomiarList &a, const TPomiarList &b);

} // namespace storage
