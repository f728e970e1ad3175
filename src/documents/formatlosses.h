#pragma once
// What a save in plain text or HTML would drop of a document: only the parts the document
// really has are named, so that a plain letter is saved without a question.
#include <QString>
#include <QStringList>

class TextControl;

namespace FormatLosses {

// The parts of the control's document that `format` (a number of the save table) does not
// keep, in words; empty when nothing is lost.
QStringList lostBy(const TextControl* control, int format);
// The format's name for the question.
QString formatName(int format);

}  // namespace FormatLosses
