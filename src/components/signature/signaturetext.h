#pragma once
// The signature as text: the strokes of a signing, written compactly (docs/signature-format.md).
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

struct SignaturePoint {
    QPointF position;  // in the signing area's pixels
    double pressure = 1.0;  // 0 to 1
};
using SignatureStroke = QList<SignaturePoint>;

struct Signature {
    QSize area;
    QList<SignatureStroke> strokes;

    bool isEmpty() const;
    QString toText() const;
    // Nothing (an empty signature) when the text is not a signature.
    static Signature fromText(const QString& text);
};
