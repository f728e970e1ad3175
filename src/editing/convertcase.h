#pragma once
// Convert Case: upper case, lower case or initial capitals of the selected text.
#include <QString>

namespace CaseConversion {

enum Mode { Upper = 1, Lower = 2, InitialCaps = 3 };

// Initial caps counts with a 16-bit index in the original design; a longer selection is
// converted whole here (a wider index) rather than refused.
QString convert(const QString& text, int mode);

// Converts the selection of the active document window's text control.
void ConvertCase(int mode);

}  // namespace CaseConversion
