#pragma once
// Lists in .docx: numbering.xml (abstract numberings with their levels, and the numberings that
// paragraphs name, with their overrides) and the paragraph's w:numPr.
#include "components/textcontrol/document/listlevels.h"

#include <QByteArray>
#include <QString>

class QTextBlock;
class QXmlStreamWriter;

namespace DocxNumbering {

constexpr const char* Relation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering";
constexpr const char* Type = "application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml";

// The lists numbering.xml defines, under the keys groupKey() gives.
ListLevels::Definitions read(const QByteArray& xml);
// The list a paragraph's w:numId names; empty for 0, which takes a style's numbering away.
QString groupKey(QStringView numId);

// numbering.xml for the document's lists: numbering i + 1 on abstract numbering i.
QByteArray write(const ListLevels::Table& table);
// The paragraph's w:numPr, when it is a list item.
void writeNumPr(QXmlStreamWriter& out, const ListLevels::Table& table, const QTextBlock& block);

}  // namespace DocxNumbering
