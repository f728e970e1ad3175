#pragma once
// What a second start of the program hands to the one already running: the files of its
// command line, as that start saw them.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct InstanceRequest {
    QString workingFolder;  // the folder the second start ran in; relative paths are from there
    QString document;       // the command line's document: a path, "*", a report, or empty
    QStringList files;      // --files and --open: each opened as File > Open does

    bool operator==(const InstanceRequest&) const = default;
    // The paths as absolute paths, resolved against the working folder.
    QString absolute(const QString& path) const;

    QByteArray encode() const;
    // nullopt for bytes that are not a request of this program.
    static std::optional<InstanceRequest> decode(const QByteArray& bytes);
};
