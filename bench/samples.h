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

// One merged letter per record: a complete RTF document with a header, a page-number footer and
// a three-column table, the letters one after another as a merge writes them.
inline QByteArray mergedLettersRtf(int letters)
{
    QByteArray rtf;
    for (int i = 0; i < letters; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        rtf += "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\paperw12240\\paperh15840"
               "{\\header Riverside Family Practice}{\\footer Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}\n"
               "\\pard Patient " + n + "\\par 12 Main Street\\par Springfield\\par\\par Dear Patient " + n +
               ",\\par\\pard\\sa120 Your results from your last visit are below.\\par\n";
        for (int row = 0; row < 3; ++row)
            rtf += "\\trowd\\cellx3000\\cellx6000\\cellx9000\\pard\\intbl Test " + QByteArray::number(row) +
                   "\\cell Normal\\cell 2026-11-0" + QByteArray::number(row + 1) + "\\cell\\row\n";
        rtf += "\\pard\\sa120 Please call us with any questions.\\par Sincerely,\\par Dr. Lee\\par}\\par \\page \r\n";
    }
    return rtf;
}

// About 1,000 Letter pages.
inline QByteArray thousandPagesRtf() { return letterParagraphsRtf(18500); }

}  // namespace Samples
