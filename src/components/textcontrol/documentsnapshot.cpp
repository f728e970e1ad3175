#include "documentsnapshot.h"

#include "native/nativeformat.h"

#include <QTextDocument>

namespace {

std::unique_ptr<QTextDocument> copyOf(const QTextDocument* source)
{
    if (!source)
        return nullptr;
    std::unique_ptr<QTextDocument> copy(source->clone());
    for (const QByteArray& name : source->dynamicPropertyNames())
        copy->setProperty(name.constData(), source->property(name.constData()));
    return copy;
}

}  // namespace

DocumentSnapshot::DocumentSnapshot(const QTextDocument* body, const QTextDocument* header,
                                   const QTextDocument* footer, int headerFooter,
                                   const PageInfo& page)
    : m_body(copyOf(body)), m_header(copyOf(header)), m_footer(copyOf(footer)),
      m_headerFooter(headerFooter), m_page(page)
{
}

DocumentSnapshot::~DocumentSnapshot() = default;

QByteArray DocumentSnapshot::toNative() const
{
    const DocumentParts parts{m_header.get(), m_footer.get(), m_headerFooter};
    return NativeFormat::write(m_body.get(), m_page, &parts);
}
