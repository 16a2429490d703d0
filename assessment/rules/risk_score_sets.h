#pragma once

// The Risk Score parameter sets the evaluation rates with: read from the parameter files the
// first time a version is asked for and kept, so that rating a form does not read four
// files on every choice. The parameter editor drops them after it saves, and the next
// evaluation reads the files again.
//
// A set whose bands cannot rate (main file missing or damaged) is kept with empty bands:
// every R then falls into a band without a code, so the rating is "not determined" rather
// than a guess.

#include "storage/risk_score_files.h"

#include <QString>
#include <QStringList>

namespace assessment {

// The index of the kept set of version wersja; a set not kept yet is read and appended, and
// the messages naming its missing or damaged files are appended to messages (when given).
int GetRiskScoreIndex(quint16 wersja, QStringList *messages = nullptr);
// Makes wersja the current version, reading its set when it is not kept yet.
void SelectRiskScoreVersion(quint16 wersja, QStringList *messages = nullptr);
quint16 CurrentRiskScoreVersion();
// The kept set of version wersja; nullptr when none is kept.
const storage::TRiskScore *KeptRiskScore(quint16 wersja);
// Forgets every kept set.
void ReloadRiskScoreSets();

} // namespace assessment
