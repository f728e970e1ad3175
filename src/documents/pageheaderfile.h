#pragma once
// The page-header file: a 30-byte header (kind, margins left, top, right, bottom, page
// height and width as little-endian 32-bit integers, a 16-bit reserved field) in front of
// a document in the control's own format.
#include <QString>
#include <optional>

class QFileDevice;
class TextControl;

namespace PageHeaderFile {

constexpr int Format = 3;  // its number in the open and save tables

constexpr int HeaderSize = 30;
constexpr int KindSize = 4;
constexpr qint32 KindPlain = 20;  // no header follows: A4 with one-inch margins
constexpr qint32 KindSaved = 23;

struct Header {
    qint32 kind = KindSaved;
    qint32 marginL = 0, marginT = 0, marginR = 0, marginB = 0;
    qint32 height = 0, width = 0;
};

// The page of a kind-20 file.
inline Header defaultPage() { return {KindPlain, 1440, 1440, 1440, 1440, 16837, 11906}; }

// Writes the 30 bytes of the header at the file's position.
bool writeHeader(QFileDevice* file, const Header& header);
enum LoadResult { Loaded, CannotOpen, WrongKind, CannotLoad };

// Reads a page-header file into `control`: its document, and the page of its header.
// `page` receives the page that was applied.
LoadResult load(const QString& path, TextControl* control, Header* page = nullptr);

// Writes the document of `control` as a page-header file of kind 23.
bool save(const QString& path, TextControl* control, bool* opened = nullptr);

// The kind, and for kind 23 the page; nullopt when the file cannot be read that far.
std::optional<Header> readHeader(const QString& path);

}  // namespace PageHeaderFile
