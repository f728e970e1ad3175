#include "instancerequest.h"

#include <QDataStream>
#include <QDir>
#include <QIODevice>

namespace {
const QString Magic = QStringLiteral("scrivora-instance-request/1");
}

QString InstanceRequest::absolute(const QString& path) const
{
    return QDir(workingFolder).absoluteFilePath(path);
}

QByteArray InstanceRequest::encode() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << workingFolder << document << files;
    return bytes;
}

std::optional<InstanceRequest> InstanceRequest::decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    QString magic;
    InstanceRequest request;
    in >> magic >> request.workingFolder >> request.document >> request.files;
    if (in.status() != QDataStream::Ok || magic != Magic)
        return std::nullopt;
    return request;
}
