#pragma once
// The spelling checker the main window holds (Speller1). The program sets its dictionaries
// (1 main, 7 user), the text control to check (26), and starts the check with 4 = 1.
#include "spellengine.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

class TextControl;

class Speller : public QObject {
    Q_OBJECT
public:
    explicit Speller(QObject* parent = nullptr);

    void setProperty(int id, const QVariant& value);
    SpellEngine& engine() { return m_engine; }

private:
    void check(TextControl* control);

    SpellEngine m_engine;
    QPointer<TextControl> m_target;
};

Q_DECLARE_METATYPE(TextControl*)
