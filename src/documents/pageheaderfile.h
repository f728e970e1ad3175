#pragma once
// The page-header file: a 30-byte header (kind, margins left, top, right, bottom, page
// height and width as little-endian 32-bit integers, a 16-bit reserved field) in front of
// a document in the control's own format.
#include <QString>
#include <optional>

namespace PageHeaderFile {

constexpr int HeaderSize = 30;
constexpr qint32 KindSaved = 23;

struct Header {
    qint32 kind = KindSaved;
    qint32 marginL = 0, marginT = 0, marginR = 0, marginB = 0;
    qint32 height = 0, width = 0;
};

bool writeHeader(const QString& path, const Header& header);
std::optional<Header> readHeader(const QString& path);

}  // namespace PageHeaderFile
