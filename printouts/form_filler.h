#pragma once

// The label filler: writes the current document's values into a form page's labels and
// shapes, by name. It walks the document's field items in order, each value slot, and the
// page's components in table order; later writes overwrite earlier ones.
//
// Names (n = the field's `nazwa`, k = the slot, for a field with `ile` slots):
// - value label: with ile 1 any label whose name begins with n (NipFirma, OsSzkol_2);
//   with ile > 1 the name n + k, exactly for a one-digit k, followed by anything for a
//   two-digit one (Temat1 .. Temat10);
// - code label: "Kod_" + n under the same rule; it prints the code of "[code] text";
// - tick shape of a "combo" field: n + "_" + code (Plec_1); for two-level codes
//   "[main.sub] text" n + "_" + main + "_0" (main box) and n + "_0_" + sub (sub box).
//
// Captions by the field's kind: "form" prints the text after "] " (a value without "]"
// whole); "tekst"/"tekst_p" print `etyk` + the value of the field `druk` names (looked up
// in the attachment file `zal` by its first three characters when `zal` is set), or with
// `druk` "suma" the print positions joined; any other kind prints the value as it is.
// Ticks: `druk` "zaznacz" prints only the chosen option's mark, "odznacz" every strike-out
// line except the chosen one's (and, with `ppow`, switches the linked group of labels).
//
// What it guarantees beyond those rules:
// - every fill starts from the design: shapes enabled, labels as laid out, so nothing of
//   the previous document or print (an "odznacz" group switched off) leaks into this one;
// - a value without a bracketed code chooses no option: every mark of its field is off;
//   a "." counts as the two-level separator only inside the brackets;
// - a code missing from its attachment file (or a missing file) prints empty;
// - a "tekst" field prints on blank forms its `ppow`, or else the design caption of its
//   label (never the previous document's value); the definition is never changed;
// - blank forms: "form", "combo", other kinds' and "Kod_" captions empty, the marks of
//   "combo" fields off, "tekst_p" printed as computed;
// - a slot the field does not have reads as empty; nothing here shows a message.

#include "storage/document_files.h"

#include <QString>

namespace reportengine {
class TVRPrintable;
}

namespace printouts {

class TFormPage;

// Whether the component name is filled from slot k of a field named `field` with `ile`
// slots (the value-label rule; prefix "Kod_" + field for code labels).
bool LabelMatchesSlot(const QString &name, const QString &field, int ile, int k);
// The code of a value "[code] text" (the text between "[" and the first "]"); empty when
// the value carries none.
QString BracketCode(const QString &value);
// The name prefix a "combo" value chooses among the field's shapes, for the shape named
// shapeName (main or sub box of a two-level code); empty when the value carries no code.
QString TickName(const QString &field, const QString &value, const QString &shapeName);
// The caption a "form" field prints for a value.
QString FormCaption(const QString &value);

class TFormPageFiller
{
public:
    bool BlankForms = false;
    // The attachments folder (stored form, "dokumenty\zalaczn"), base of `zal` files.
    QString AttachFolder;

    void Fill(TFormPage &page, const storage::TDokumList &items) const;

    // Slot 1 of the first item named `name` (exact, case-sensitive); empty when none.
    static QString GetDocumentFieldValue(const storage::TDokumList &items, const QString &name);

private:
    QString Lookup(const QString &zal, const QString &sourceValue) const;
    QString TekstText(const storage::TDokum &field, const storage::TDokumList &items) const;
    void Ticks(TFormPage &page, const storage::TDokum &field, const QString &value,
               reportengine::TVRPrintable *shape) const;
};

} // namespace printouts
