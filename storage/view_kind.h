#pragma once

namespace storage {

// The kinds of view a navigation element opens. The configuration names a view by the
// `plik` of its "frm" component ("frmDefStan", ...), a document by a "dokfrm" component
// and a web page by an "htm" one; ViewKindOf (navigation_file.h) is the one place that
// reads those names. Everything after works with the kind.
enum class TViewKind {
    None,         // nothing shown yet, or a view name the program does not know
    Catalogue,    // the factor catalogue ("frmCzynniki")
    Workstations, // the workstation definitions ("frmDefStan")
    Measurement,  // the measurement window ("frmRyzZakl")
    Summary,      // the measurement summary ("frmZestaw")
    Document,     // a statutory document of a "dokfrm" component
    WebPage,      // a page of an "htm" component
};

} // namespace storage
