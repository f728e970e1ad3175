#pragma once
// The horizontal ruler of one text control: page margins, the current paragraph's indents
// and tab stops, in inches, lined up with the page on screen at every zoom. The indents and
// tab stops can be dragged; a click on the ruler sets a left tab stop, and a tab stop dragged
// off the ruler is removed. A drag changes the selected paragraphs once, on release.
#include "viewhost.h"

#include <QWidget>


class Ruler : public QWidget {
    Q_OBJECT
public:
    explicit Ruler(QWidget* parent = nullptr);
    void setTextControl(ViewHost* control);
    QSize sizeHint() const override;

    // The ruler's x for a distance from the page's left edge, and back (twips, snapped to a
    // sixteenth of an inch).
    int xForTwips(double twips) const;
    int twipsForX(int x) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Marker { None, FirstLine, LeftIndent, RightIndent, Tab };
    struct Drag {
        Marker marker = Marker::None;
        int tab = -1;     // index of the dragged tab stop
        int twips = 0;    // where the marker is now, from the page's left edge
        bool removing = false;
    };
    Drag markerAt(QPoint point) const;
    int markerTwips(Marker marker, int tab) const;
    void apply(const Drag& drag);

    HostPointer m_control;
    Drag m_drag;
};
