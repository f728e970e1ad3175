#pragma once
// Namespaces, relationship and content types of Office Open XML word-processing documents.

#include "components/textcontrol/document/tableaders.h"

#include <QString>
#include <QStringView>

namespace DocxNames {

constexpr const char* W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
// The same vocabulary under the namespace of Strict Open XML.
constexpr const char* WStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr const char* MC = "http://schemas.openxmlformats.org/markup-compatibility/2006";
constexpr const char* R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* WP = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr const char* A = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* PIC = "http://schemas.openxmlformats.org/drawingml/2006/picture";

constexpr const char* DocumentRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* ImageRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* HeaderRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
constexpr const char* FooterRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
constexpr const char* StylesRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr const char* SettingsRelation = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";

constexpr const char* DocumentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr const char* HeaderType = "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
constexpr const char* FooterType = "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml";
constexpr const char* StylesType = "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";
constexpr const char* SettingsType = "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml";

// English Metric Units in one layout unit (96 per inch).
constexpr double EmuPerUnit = 914400.0 / 96.0;

// A tab stop's leader (w:leader) and its name.
inline constexpr struct {
    QChar leader;
    const char* name;
} Leaders[] = {{TabLeaders::Dots, "dot"}, {TabLeaders::Hyphens, "hyphen"}, {TabLeaders::Line, "underscore"},
               {TabLeaders::ThickLine, "heavy"}, {TabLeaders::MiddleDots, "middleDot"}};
inline QChar leader(QStringView name)
{
    for (const auto& l : Leaders)
        if (name == QLatin1String(l.name))
            return l.leader;
    return TabLeaders::None;
}
inline QString leaderName(QChar leader)
{
    for (const auto& l : Leaders)
        if (l.leader == leader)
            return QLatin1String(l.name);
    return QStringLiteral("none");
}

}  // namespace DocxNames
