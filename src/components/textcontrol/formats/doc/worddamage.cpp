#include "worddamage.h"

#include "containercheck.h"
#include "wordbinary.h"

namespace WordDamage {
namespace {

using namespace WordBinary;

struct FileBlock {
    qint64 pairs = 0;
    int pairCount = 0;
};

FileBlock fileBlock(const LittleEndian::Reader& wd)
{
    qint64 pos = 0x20;
    pos += 2 + wd.u16(pos) * 2;
    pos += 2 + wd.u16(pos) * 4;
    return {pos + 2, wd.u16(pos)};
}

}  // namespace

Kind find(const QByteArray& file, const LittleEndian::Reader& wd, const LittleEndian::Reader& t)
{
    const FileBlock block = fileBlock(wd);
    auto pair = [&](int index) -> std::pair<quint32, quint32> {
        if (index >= block.pairCount)
            return {0, 0};
        return {wd.u32(block.pairs + index * 8), wd.u32(block.pairs + index * 8 + 4)};
    };
    // The parts the text and its formats are read from; a Word file may hold stale pointers
    // elsewhere in its table of contents, which nothing reads.
    for (const int index : {Stshf, PlcfSed, PlcfHdd, PlcfBteChpx, PlcfBtePapx, SttbfFfn, Clx}) {
        const auto [fc, lcb] = pair(index);
        if (lcb > 0 && !t.has(fc, lcb))
            return Kind::TablesOutside;
    }
    return ContainerCheck::intact(file) ? Kind::None : Kind::ContainerDamaged;
}

}  // namespace WordDamage
