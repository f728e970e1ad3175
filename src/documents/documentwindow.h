#pragma once
// A document window: the text control with its ruler and mail-merge panel, the window's
// menus, its place in the document table and the question before a modified window closes.
#include "hosts/editorwindow.h"
#include "sharedfile.h"

#include <QWidget>

class DocumentHost;
class Panel;
class QAction;
class QMdiSubWindow;
class QMenu;
class Ruler;
class TextControl;
class WindowMerge;

class DocumentWindow : public QWidget, public EditorWindow {
    Q_OBJECT
public:
    explicit DocumentWindow(DocumentHost* host);

    // The document window behind `window` (every editor window is one); null for none.
    static DocumentWindow* of(EditorWindow* window) { return dynamic_cast<DocumentWindow*>(window); }

    QWidget* widget() override { return this; }
    TextControl* textControl() const override { return m_textControl; }
    Ruler* ruler() const override { return m_ruler; }
    Panel* mergePanel() const override { return m_mergePanel; }
    // The window's record source, field list and merge operations.
    WindowMerge* merge() const override { return m_merge; }
    DocumentHost* host() const override { return m_host; }
    QMdiSubWindow* subWindow() const override;

    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    int slot() const { return m_tag.toInt(); }
    QString caption() const override { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    // The file the document was loaded from or saved to, as the file system spells it.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }
    // The file the user agreed to save in a format that drops parts of the document.
    QString formatLossAccepted() const { return m_formatLossAccepted; }
    void setFormatLossAccepted(const QString& path) { m_formatLossAccepted = path; }
    // The file's lock, whether the window only reads it, and how it looked when last read or written.
    SharedFile& sharedFile() { return m_sharedFile; }

    QList<QMenu*> menus() const { return m_menus; }
    QAction* action(const QString& name) const override;
    QMenu* menu(const QString& name) const override;

    // Runs whenever the window becomes the active document window.
    void activated();
    // The question before a modified window closes; false keeps the window open.
    bool queryUnload();
    // The exit already asked this window; its close must not ask again.
    void setCloseApproved(bool approved) { m_closeApproved = approved; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void wireFileMenu();
    void wireEditMenu();
    void wireViewMenu();
    void wireInsertMenu();
    void wireFormatMenu();
    void wireWindowMenu();
    void wireHelpMenu();
    void wire(const char* name, const std::function<void()>& handler);
    void refreshWindowList();
    void markChanged();
    void unload();

    DocumentHost* m_host;
    Panel* m_mergePanel;
    Ruler* m_ruler;
    TextControl* m_textControl;
    WindowMerge* m_merge;
    QList<QMenu*> m_menus;
    QString m_tag;
    QString m_filePath;
    QString m_formatLossAccepted;
    SharedFile m_sharedFile;
    bool m_closeApproved = false;
};
