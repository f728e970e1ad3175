#pragma once
// A document window as the commands, dialogs and the merge see it: its text control and bars,
// its menus' items by name, and the widget to place dialogs over. The document window
// implements it, so that what acts on a window need not know how the window is built.
class DocumentHost;
class Panel;
class QAction;
class QMdiSubWindow;
class QMenu;
class QString;
class QWidget;
class Ruler;
class TextControl;
class WindowMerge;

class EditorWindow {
public:
    virtual ~EditorWindow() = default;

    virtual QWidget* widget() = 0;
    virtual TextControl* textControl() const = 0;
    virtual Ruler* ruler() const = 0;
    virtual Panel* mergePanel() const = 0;
    // The window's record source, field list and merge operations.
    virtual WindowMerge* merge() const = 0;
    virtual DocumentHost* host() const = 0;
    virtual QMdiSubWindow* subWindow() const = 0;
    virtual QString tag() const = 0;
    virtual QString caption() const = 0;
    virtual QAction* action(const QString& name) const = 0;
    virtual QMenu* menu(const QString& name) const = 0;
};
