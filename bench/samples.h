#pragma once
// Documents the benchmarks share.
#include <QByteArray>

namespace Samples {

// About 1,000 Letter pages: paragraphs with a little formatting, as letters have.
inline QByteArray thousandPagesRtf()
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                     "{\\colortbl;\\red200\\green0\\blue0;}\\paperw12240\\paperh15840\\margl1440\\margr1440"
                     "\\margt1440\\margb1440\n";
    for (int i = 0; i < 18500; ++i)
        rtf += "\\pard\\ql\\sa120 The patient was seen today for {\\b follow-up}. Blood pressure was "
               "{\\cf1 well controlled} on the current medication and no side effects were reported. "
               "We discussed {\\i diet} and exercise.\\par\n";
    return rtf + "}";
}

}  // namespace Samples
