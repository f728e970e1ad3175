#pragma once
// The zip container of an Office Open XML document, in memory: parts read by name, parts
// written in order. Limits keep a damaged or hostile file from asking for absurd memory.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace ZipPackage {

// Every part of the package by name; false when the bytes are not a zip file.
bool read(const QByteArray& bytes, QHash<QString, QByteArray>& parts);
// A zip file of the parts, compressed, in the order given.
QByteArray write(const QList<QPair<QString, QByteArray>>& parts);

}  // namespace ZipPackage
