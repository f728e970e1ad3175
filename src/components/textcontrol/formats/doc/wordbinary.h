#pragma once
// Names for the parts of the Word 97-2003 binary format that the reader and the writer share:
// the file-pointer pairs of the FIB, the property changes (sprms) and the field types.
#include "components/textcontrol/document/tableaders.h"

#include <QtGlobal>

namespace WordBinary {

constexpr quint16 Ident = 0xA5EC;
constexpr quint16 Word6Ident = 0xA5DC;  // Word 6 and Word 95
constexpr quint16 Word97 = 0x00C1;
constexpr quint16 FirstWord97Fib = 0x0069;  // below: Word 6 and Word 95
constexpr quint16 FlagTable1 = 0x0200;  // the table stream is "1Table"
constexpr quint16 FlagEncrypted = 0x0100;
constexpr quint16 FlagExtChar = 0x1000;
constexpr quint16 FlagHasPictures = 0x0008;

// Indexes of the (fc, lcb) pairs in the FIB.
enum Pair {
    StshfOrig = 0,
    Stshf = 1,
    PlcffndRef = 2,
    PlcfSed = 6,
    PlcfHdd = 11,
    PlcfBteChpx = 12,
    PlcfBtePapx = 13,
    SttbfFfn = 15,
    PlcfFldMom = 16,
    PlcfFldHdr = 17,
    Dop = 31,
    Clx = 33,
    PlcfendRef = 46,
    Word97Pairs = 93
};

// Indexes of the 32-bit values after the FIB's base.
// The stories follow one another in this order: text, footnotes, header document, macros,
// annotations, endnotes, text boxes, header text boxes.
enum Long { CbMac = 0, CcpText = 3, CcpFtn = 4, CcpHdd = 5, CcpMcr = 6, CcpAtn = 7, CcpEdn = 8, CcpTxbx = 9 };

// Stories of the header document: six separators, then six for each section.
// A tab stop's leader by its code (tlc): none, dots, hyphens, a line, a thick line, middle dots.
inline constexpr QChar TabLeaderCodes[] = {TabLeaders::None, TabLeaders::Dots, TabLeaders::Hyphens,
                                          TabLeaders::Line, TabLeaders::ThickLine, TabLeaders::MiddleDots};

enum HeaderStory { EvenHeader = 6, OddHeader = 7, EvenFooter = 8, OddFooter = 9, FirstHeader = 10, FirstFooter = 11 };

namespace Sprm {
// Characters.
constexpr quint16 CFSpec = 0x0855;
constexpr quint16 CIstd = 0x4A30;
constexpr quint16 CPicLocation = 0x6A03;
constexpr quint16 CFBold = 0x0835;
constexpr quint16 CFItalic = 0x0836;
constexpr quint16 CFStrike = 0x0837;
constexpr quint16 CFSmallCaps = 0x083A;
constexpr quint16 CFCaps = 0x083B;
constexpr quint16 CFVanish = 0x083C;
constexpr quint16 CFDStrike = 0x2A53;
constexpr quint16 CKul = 0x2A3E;
constexpr quint16 CHps = 0x4A43;
constexpr quint16 CIco = 0x2A42;
constexpr quint16 CCv = 0x6870;
constexpr quint16 CRgFtc0 = 0x4A4F;
constexpr quint16 CRgFtc1 = 0x4A50;
constexpr quint16 CRgFtc2 = 0x4A51;
constexpr quint16 CFtcBi = 0x4A5E;
constexpr quint16 CIss = 0x2A48;
constexpr quint16 CHighlight = 0x2A0C;
constexpr quint16 CShd = 0xCA71;
// Paragraphs.
constexpr quint16 PJc80 = 0x2403;
constexpr quint16 PJc = 0x2461;
constexpr quint16 PFKeep = 0x2405;
constexpr quint16 PFKeepFollow = 0x2406;
constexpr quint16 PFPageBreakBefore = 0x2407;
constexpr quint16 PDxaLeft80 = 0x840F;
constexpr quint16 PDxaLeft = 0x845E;
constexpr quint16 PDxaRight80 = 0x840E;
constexpr quint16 PDxaRight = 0x845D;
constexpr quint16 PDxaLeft180 = 0x8411;
constexpr quint16 PDxaLeft1 = 0x8460;
constexpr quint16 PDyaBefore = 0xA413;
constexpr quint16 PDyaAfter = 0xA414;
constexpr quint16 PDyaLine = 0x6412;
constexpr quint16 PChgTabsPapx = 0xC60D;
constexpr quint16 PBrcTop80 = 0x6424;
constexpr quint16 PBrcLeft80 = 0x6425;
constexpr quint16 PBrcBottom80 = 0x6426;
constexpr quint16 PBrcRight80 = 0x6427;
constexpr quint16 PFInTable = 0x2416;
constexpr quint16 PFTtp = 0x2417;
constexpr quint16 PItap = 0x6649;
constexpr quint16 PFInnerTtp = 0x244C;
// Table rows.
constexpr quint16 TDefTable = 0xD608;
constexpr quint16 TDxaGapHalf = 0x9602;
constexpr quint16 TDyaRowHeight = 0x9407;
constexpr quint16 TVertAlign = 0xD62C;
constexpr quint16 TDefTableShd = 0xD612;
constexpr quint16 TCellPaddingDefault = 0xD634;
constexpr quint16 TTableBorders80 = 0xD605;
constexpr quint16 TTableBorders = 0xD613;
// Sections.
constexpr quint16 SBkc = 0x3009;
constexpr quint16 SFTitlePage = 0x300A;
constexpr quint16 SBOrientation = 0x301D;
constexpr quint16 SXaPage = 0xB01F;
constexpr quint16 SYaPage = 0xB020;
constexpr quint16 SDxaLeft = 0xB021;
constexpr quint16 SDxaRight = 0xB022;
constexpr quint16 SDyaTop = 0x9023;
constexpr quint16 SDyaBottom = 0x9024;
constexpr quint16 SDyaHdrTop = 0xB017;
constexpr quint16 SDyaHdrBottom = 0xB018;
}  // namespace Sprm

// Field types as the field-begin marks record them.
enum FieldType { FieldNumPages = 26, FieldPage = 33, FieldMergeField = 59 };

// Special characters of the text.
enum Mark : ushort {
    Picture = 0x01,
    NoteMark = 0x02,  // an automatically numbered footnote or endnote mark
    CellMark = 0x07,
    LineBreak = 0x0B,
    PageBreak = 0x0C,
    ParagraphMark = 0x0D,
    FieldBegin = 0x13,
    FieldSeparator = 0x14,
    FieldEnd = 0x15
};

}  // namespace WordBinary
