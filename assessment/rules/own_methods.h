#pragma once

// The two estimation methods of own hazard factors, which are assessed by judgement rather
// than by measurement. "5 kroków" crosses consequences with probability; Risk Score
// multiplies consequences S, probability P and exposure E, chosen from the tables of the
// parameter files, and reads R = S x P x E against the five bands. Both rate the four
// employee groups alike.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// The number in round brackets that ends a Risk Score choice (" Możliwe (6)" gives 6). The
// last bracket is taken, so a description may hold brackets of its own; a decimal comma
// counts as a point. A text without a number there gives 0 and never fails.
float ValueInBrackets(const QString &comboText);

// The band of the current version's set that r falls into: band 1 when the minimum of band 2
// is not below r, else band 2 when the minimum of band 3 is not below r, and so on; above
// the minimum of band 5, band 5. Sets description and returns the band's code; with no set
// of the current version kept, description empty and code 10.
int RiskBand(QString &description, float r);

// met5Krok_Pomiar_01: the item indexes of "cb_cCNast" and "cb_cPrawd" added up: 0 or 1
// small (10), 2 medium (20), 3 or 4 large (30); with either unchosen, small.
void EvaluateFiveSteps(TFormAccess &form, const QString &fieldName);
// metRiskScore_Pomiar_01: R from the choices "cb_cSkutki", "cb_cPrawd", "cb_cEksp" in single
// precision, "ed_WskRyzyka" := band description + " (" + R + ")", every group rated with
// the band's code. Problems of the parameter files are shown when the set is first read.
void EvaluateRiskScore(TFormAccess &form, const QString &fieldName);

// The family's rule: the routine of the form the field belongs to (form.FormName()).
void EvaluateOwnMethodForm(TFormAccess &form, const QString &fieldName);

// Registers the family's rule with the dispatcher and records the fields of its forms.
void RegisterOwnMethodRules();

} // namespace assessment::rules
