#pragma once
// Files and text dropped on the program: documents dropped anywhere open in windows of their
// own, as File > Open opens them; a picture dropped on a document's page goes in where it fell,
// as Insert > Image places it; text dropped on a page goes in at the drop point (the page's own
// editing does that).
#include <QObject>
#include <QStringList>

class DocumentWindow;
class QMimeData;

class DocumentDrops : public QObject {
    Q_OBJECT
public:
    // Watches the pages of `window` for dropped files.
    static void watch(DocumentWindow* window);

    // The local files a drag carries; empty when it carries anything else as well.
    static QStringList localFiles(const QMimeData* mime);
    // Opens each file as File > Open does; one already open comes to the front.
    static void openFiles(const QStringList& paths);
    static bool isPicture(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DocumentDrops(DocumentWindow* window);
    DocumentWindow* m_window;
};
