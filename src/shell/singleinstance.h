#pragma once
// One program per user and display: a second start hands its files to the program already
// running over a local socket in the user's private temporary directory, and ends. A socket
// that a program which did not end left behind is removed, and the new program takes its place.
#include "instancerequest.h"

#include <QHash>
#include <QObject>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket of the programs of this user on this display with this program directory,
    // in `folder` (the private temporary directory).
    static QString socketPath(const QString& folder);

    enum Outcome {
        HandedOver,  // the running program took the request: this one ends
        First,       // no program was running: this one listens for the next starts
        Alone,       // the running program does not answer, or no socket can be had: this
                     // program runs on its own
    };
    Outcome start(const QString& folder, const InstanceRequest& request);
    bool isListening() const;

signals:
    // A second start's request, once it arrived whole; answered before this is sent.
    void requested(const InstanceRequest& request);

private:
    bool handOver(QLocalSocket& socket, const InstanceRequest& request);
    bool listen(const QString& path);
    void readFrom(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    QHash<QLocalSocket*, QByteArray> m_incoming;
};
