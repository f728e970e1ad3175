#pragma once
// The Office fonts documents name, drawn where they are missing with the free families made
// to the same metrics, as LibreOffice draws them, so that lines break where they broke. Only
// the drawing changes: the document keeps the family it names, and every file written names it.
namespace FontSubstitutes {

// Registers the substitutions once for the program; later calls do nothing.
void install();

}  // namespace FontSubstitutes
