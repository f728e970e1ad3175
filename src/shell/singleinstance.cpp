#include "singleinstance.h"

#include "settings/apppaths.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QtEndian>

namespace {

constexpr int ConnectWait = 2000;
// The running program answers from its event loop; a long merge or print holds that up.
constexpr int AnswerWait = 20000;
constexpr char Taken = '1';
constexpr qsizetype MaxRequest = 16 * 1024 * 1024;

// The display the program shows its windows on: two displays of one user get two programs.
QString display()
{
    const QString platform = QGuiApplication::platformName();
    const char* variable = platform == QLatin1String("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY";
    return platform + QLatin1Char(':') + qEnvironmentVariable(variable);
}

QByteArray framed(const QByteArray& payload)
{
    QByteArray frame(4, Qt::Uninitialized);
    qToBigEndian(quint32(payload.size()), frame.data());
    return frame + payload;
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();  // removes the socket file: the next start is the first again
}

QString SingleInstance::socketPath(const QString& folder)
{
    const QByteArray key = (display() + QLatin1Char('\n') + AppPaths::AppPath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("instance-") + QString::fromLatin1(hash));
}

bool SingleInstance::isListening() const { return m_server && m_server->isListening(); }

SingleInstance::Outcome SingleInstance::start(const QString& folder, const InstanceRequest& request)
{
    const QString path = socketPath(folder);
    // Two programs started at the same moment must not both remove the socket and listen.
    QLockFile guard(path + QStringLiteral(".lock"));
    guard.setStaleLockTime(ConnectWait + AnswerWait + 5000);
    if (!guard.tryLock(ConnectWait + AnswerWait))
        return Alone;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(ConnectWait))  // nobody there, or a socket a crashed program left
        return listen(path) ? First : Alone;
    // A program that takes the connection but does not answer is busy, not gone: its socket
    // stays, and this start runs on its own.
    return handOver(socket, request) ? HandedOver : Alone;
}

bool SingleInstance::handOver(QLocalSocket& socket, const InstanceRequest& request)
{
    socket.write(framed(request.encode()));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(AnswerWait))
            return false;
    if (!socket.waitForReadyRead(AnswerWait))
        return false;
    return socket.read(1) == QByteArray(1, Taken);
}

bool SingleInstance::listen(const QString& path)
{
    QLocalServer::removeServer(path);  // a program that did not end left it: no one answers there
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            m_incoming.insert(socket, QByteArray());
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                m_incoming.remove(socket);
                socket->deleteLater();
            });
        }
    });
    return true;
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    QByteArray& buffer = m_incoming[socket];
    buffer += socket->readAll();
    if (buffer.size() < 4)
        return;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length > MaxRequest) {
        socket->abort();
        return;
    }
    if (buffer.size() < 4 + qsizetype(length))
        return;
    const std::optional<InstanceRequest> request = InstanceRequest::decode(buffer.mid(4, length));
    buffer.clear();
    if (!request) {
        socket->abort();
        return;
    }
    socket->write(QByteArray(1, Taken));
    socket->flush();
    socket->disconnectFromServer();
    emit requested(*request);
}
