#include "sections.h"

#include "propertychanges.h"
#include "wordbinary.h"

namespace Sections {
namespace {

using LittleEndian::Reader;
using namespace WordBinary;

constexpr quint32 MaxSections = 10'000;
constexpr int MaxTwips = 31680;  // 22 in, Word's largest page

Section defaults()
{
    Section s;
    s.page = {12240, 15840, 1800, 1440, 1800, 1440, 720, 720};
    return s;
}

int length(int v) { return std::clamp(v, 0, MaxTwips); }

// The section's changes over Word's defaults (not over the section before: each section's
// properties are complete in themselves).
void apply(Section& s, const Reader& wd, quint32 sepx)
{
    if (sepx == 0xFFFFFFFF || !wd.has(sepx, 2))
        return;
    for (const PropertyChanges::Change& c : PropertyChanges::read(wd, sepx + 2, wd.u16(sepx))) {
        const int u = wd.u16(c.operand);
        const int i = std::abs(int(wd.i16(c.operand)));
        switch (c.code) {
        case Sprm::SBkc: s.start = Start(std::clamp(int(wd.u8(c.operand)), 0, 4)); break;
        case Sprm::SFTitlePage: s.titlePage = wd.u8(c.operand) != 0; break;
        case Sprm::SXaPage: if (u > 0) s.page.width = length(u); break;
        case Sprm::SYaPage: if (u > 0) s.page.height = length(u); break;
        case Sprm::SDxaLeft: s.page.marginL = length(u); break;
        case Sprm::SDxaRight: s.page.marginR = length(u); break;
        // Negative top and bottom margins are fixed ones that the header or footer never push.
        case Sprm::SDyaTop: s.page.marginT = length(i); break;
        case Sprm::SDyaBottom: s.page.marginB = length(i); break;
        case Sprm::SDyaHdrTop: s.page.headerY = length(u); break;
        case Sprm::SDyaHdrBottom: s.page.footerY = length(u); break;
        default: break;
        }
    }
}

}  // namespace

QList<Section> read(const Reader& wd, const Reader& t, quint32 fc, quint32 lcb)
{
    QList<Section> sections;
    // The section table: n + 1 positions, then n descriptions of 12 bytes (the second field of
    // each is where its property changes are in the WordDocument stream).
    if (lcb >= 16 && t.has(fc, lcb)) {
        const quint32 n = std::min((lcb - 4) / 16, MaxSections);
        for (quint32 i = 0; i < n; ++i) {
            Section s = defaults();
            s.cpEnd = t.u32(fc + (i + 1) * 4);
            apply(s, wd, t.u32(fc + (n + 1) * 4 + i * 12 + 2));
            sections.append(s);
        }
    }
    if (sections.isEmpty())
        sections.append(defaults());
    return sections;
}

}  // namespace Sections
