#pragma once
// The help window: the program's manual, opened at the topic of a context number.
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `helpFile` at the topic of `context`; the manual's topics are anchors "ctxN".
    void showTopic(const QString& helpFile, int context);
    QTextBrowser* browser() const { return m_browser; }

    // Beside `frame` where the screen has room for it, else over the right part of `area`
    // (the frame's document area): never over the frame's menu bar or tool bar.
    void placeBeside(const QWidget* frame, const QWidget* area);

private:
    QTextBrowser* m_browser;
};
