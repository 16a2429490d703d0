#pragma once

// A date edit that takes a date typed after a click. Qt puts the cursor where the click
// fell, inside a full part of the date ("2025"), and a digit typed there would make it too
// long, so the key is dropped: a year cannot be typed, only stepped with the arrows. Here
// a click (that selects nothing by dragging) selects the part it fell on, as Tab selects
// the first one, so what is typed replaces that part.

class QDateTimeEdit;

namespace widgets {

void TypeOverClickedSection(QDateTimeEdit *edit);

} // namespace widgets
