#pragma once
// Lengths between the layout dialogs (inches or centimetres, as typed) and the text control
// (twips), as the module UNITS converts them; MeasureUnit picks the unit.
#include <QString>

namespace Units {

constexpr double TwipsPerInch = 1440.0;
constexpr double TwipsPerCentimetre = 567.0;

// The leading number of `text` with its first comma read as a decimal point (the comma is
// replaced in `text` itself); blanks inside the number are skipped, anything else ends it.
double DlgString2Double(QString& text);
// The leading number of `text`, a point as the decimal sign; blanks are skipped, anything
// else ends it, and text without a number reads as 0.
double leadingNumber(const QString& text);
// A typed length in twips, rounded half to even; 0 (with a message) for an unknown unit.
int DlgString2Twips(QString text);
// Twips as the dialogs show them: "###0.00" in the unit, with the user's decimal separator.
QString Twips2DlgString(float twips);

}  // namespace Units
