#pragma once
// Documents the benchmarks share.
#include <QByteArray>

namespace Samples {

// Letter paragraphs with a little formatting, as letters have; 1,850 fill about 100 Letter pages.
inline QByteArray letterParagraphsRtf(int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                     "{\\colortbl;\\red200\\green0\\blue0;}\\paperw12240\\paperh15840\\margl1440\\margr1440"
                     "\\margt1440\\margb1440\n";
    for (int i = 0; i < paragraphs; ++i)
        rtf += "\\pard\\ql\\sa120 The patient was seen today for {\\b follow-up}. Blood pressure was "
               "{\\cf1 well controlled} on the current medication and no side effects were reported. "
               "We discussed {\\i diet} and exercise.\\par\n";
    return rtf + "}";
}

// About 1,000 Letter pages.
inline QByteArray thousandPagesRtf() { return letterParagraphsRtf(18500); }

}  // namespace Samples
