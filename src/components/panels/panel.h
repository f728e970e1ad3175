#pragma once
// A flat panel with a caption and a tag; the program shows, hides and fills it.
#include <QFrame>

class QLabel;
class QHBoxLayout;

class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);
    QString caption() const;
    void setCaption(const QString& caption);
    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    QHBoxLayout* contentLayout() const { return m_layout; }

private:
    QHBoxLayout* m_layout;
    QLabel* m_caption;
    QString m_tag;
};
