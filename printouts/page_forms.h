#pragma once

// The catalogue of the statutory form pages: the 29 page forms by name, and the choice
// table that gives, for a document definition file and a stored form version (`wer_dok`),
// the page forms of its pages 1 to 4. How a page form is laid out and added: form_page.h.
//
// A page form whose layout table is not in the program yet is "not built": PageForm()
// gives nullptr for it and the composer leaves it out (and says so in the debug output).
// Page forms once made live until exit, so their labels keep the last printed values.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace printouts {

class TFormPage;

struct TPageFormRow
{
    QString definitionFile; // the view name of the document window ("protpow_frm_2.xml")
    QString version;        // `wer_dok`; empty: any version
    QStringList pages;      // page forms of pages 1.., in page order
    // How a loose sheet of the document names it: the form's title, and the document by
    // its number (the values of these fields joined by "/"), else by the person it is about.
    QString title;
    QStringList numberFields;
    QString nameField;
};

// Every row, in the order of the table.
const std::vector<TPageFormRow> &PageFormChoiceTable();
// The 29 page forms, in the order of the table.
QStringList PageFormNames();

// Whether the definition file has rows in the table, and whether they depend on the
// version. Names compare exactly.
bool IsPrintableDefinition(const QString &definitionFile);
bool IsVersionedDefinition(const QString &definitionFile);
// The row for a definition file and a version; nullptr when the table has none (a
// version it does not list, an empty one of a versioned kind, another view).
const TPageFormRow *FindPageFormRow(const QString &definitionFile, const QString &version);
// The definition file the documents of a row are read with: the row's own file, or for a
// versioned row the file of that version ("protpow_frm_1.xml" for version "1").
QString RowDefinitionFile(const TPageFormRow &row);

// The row whose pages include the page form; nullptr for a page form of no row.
const TPageFormRow *RowOfPageForm(const QString &name);
// The document as a continuation sheet names it: "nr 7/2024", else the person's name;
// empty when the document gives neither. `value` reads a field of the document.
QString DocumentIdentity(const TPageFormRow &row, const std::function<QString(const QString &)> &value);

// Whether the page form's layout table is in the program.
bool PageFormBuilt(const QString &name);
// The page form, made on first use and kept until exit; nullptr when not built or not in
// the catalogue.
TFormPage *PageForm(const QString &name);

} // namespace printouts
