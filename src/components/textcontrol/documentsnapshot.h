#pragma once
// A copy of everything the control's own format holds, taken in one step on the GUI thread so
// that writing it out, the slow part, can run on another thread while the user keeps typing.
#include "pageinfo.h"

#include <QByteArray>
#include <memory>

class QTextDocument;

class DocumentSnapshot {
public:
    DocumentSnapshot(const QTextDocument* body, const QTextDocument* header,
                     const QTextDocument* footer, int headerFooter, const PageInfo& page);
    ~DocumentSnapshot();
    DocumentSnapshot(const DocumentSnapshot&) = delete;
    DocumentSnapshot& operator=(const DocumentSnapshot&) = delete;

    // The document in the control's own format. Safe on any thread, one caller at a time;
    // the snapshot itself is destroyed on the thread that took it.
    QByteArray toNative() const;

private:
    std::unique_ptr<QTextDocument> m_body, m_header, m_footer;
    int m_headerFooter = 0;
    PageInfo m_page;
};
