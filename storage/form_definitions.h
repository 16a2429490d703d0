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

// What a form definition file says of one item: a page, a header or a field, where it
// stands and how it looks. The same for every measurement made with that form version, so
// the measurements read from a file share one copy (about 20 texts an item).
struct TFieldDefinition
{
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
    QString skrot;     // short text
    QString zal;       // attachment (selection tree) name
    bool readonly = false;
    bool sprpopr = true;
    QString style;
    QString wydropis;  // print description text
    QString wydrwart;  // print value text
    int param = 0;     // numeric parameter
    std::vector<TPomiarWart> Values; // value slots, numbered from 1
    QString function;  // the form's evaluation, on page and header items

    bool operator==(const TFieldDefinition &other) const = default;
};

// What one measurement's item holds of its own: its value and what the visibility rules,
// the catalogue and the evaluation change. Starts as the definition file gives it.
struct TFieldState
{
    QString etyk;      // label text; ";" separates several texts
    QString Value;     // current value; starts as the definition's default
    int ChoiceNr = 0;  // chosen entry of a combo box, or of a header's variants
    bool enabled = true;
    bool visible = true;
    bool onexit = false;
    bool onchange = false;

    bool operator==(const TFieldState &other) const = default;
};

// One item of a measurement form: its definition, shared with the copies made of it, and
// its own state (reached as members: item->Value). The page builder turns the items into
// controls, the measurement files fill them with stored values.
class TPomiar : public TFieldState
{
public:
    TPomiar();
    explicit TPomiar(TFieldDefinition definition, TFieldState state = {});

    const TFieldDefinition &Definition() const { return *m_definition; }
    // The definition of this item alone, for the reading that builds it: copied first when
    // other items share it, so they never see the change.
    TFieldDefinition &EditDefinition();

    int PageNr() const { return m_definition->PageNr; }
    const QString &PageName() const { return m_definition->PageName; }
    const QString &nazwa() const { return m_definition->nazwa; }
    const QString &typ() const { return m_definition->typ; }
    const QString &druk() const { return m_definition->druk; }
    int Row() const { return m_definition->Row; }
    int Column() const { return m_definition->Column; }
    int szerkol() const { return m_definition->szerkol; }
    const QString &pozycja() const { return m_definition->pozycja; }
    int rozm() const { return m_definition->rozm; }
    int szer() const { return m_definition->szer; }
    int wys() const { return m_definition->wys; }
    int ile() const { return m_definition->ile; }
    const QString &skrot() const { return m_definition->skrot; }
    const QString &zal() const { return m_definition->zal; }
    bool readonly() const { return m_definition->readonly; }
    bool sprpopr() const { return m_definition->sprpopr; }
    const QString &style() const { return m_definition->style; }
    const QString &wydropis() const { return m_definition->wydropis; }
    const QString &wydrwart() const { return m_definition->wydrwart; }
    int param() const { return m_definition->param; }
    const std::vector<TPomiarWart> &Values() const { return m_definition->Values; }
    const QString &function() const { return m_definition->function; }

    // A copy with the same definition and a state of its own.
    std::unique_ptr<TPomiar> Clone() const;
    // Definition and state compared.
    bool SameAs(const TPomiar &other) const;

private:
    TPomiar(const TPomiar &other) = default; // through Clone
    TPomiar &operator=(const TPomiar &) = delete;

    std::shared_ptr<TFieldDefinition> m_definition;
};

// Deep copy of a whole item list.
TPomiarList CloneFields(const TPomiarList &fields);
// The first item with this name, or nullptr.
TPomiar *FindField(const TPomiarList &fields, const QString &nazwa);
bool SameFields(const TPomiarList &a, const TPomiarList &b);

} // namespace storage
