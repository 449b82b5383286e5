#include "singleinstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace tarvelo {
namespace {

// The hand-over: the arguments as a QDataStream string list one way, one byte back.
constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_0;
constexpr char taken = '1';
// A command line is small; anything bigger is not ours.
constexpr qint64 largestMessage = 1 << 20;

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), socketPath_(QDir(folder).filePath(QStringLiteral("tarvelo.socket"))),
      lock_(QDir(folder).filePath(QStringLiteral("tarvelo.lock")))
{
    // The lock is held for the whole run: only a dead holder makes it stale.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

QString SingleInstance::runtimeFolder()
{
    // Per user and closed to others ($XDG_RUNTIME_DIR, or a private folder Qt makes).
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

SingleInstance::Role SingleInstance::claim(const QStringList& arguments, int timeoutMs)
{
    if (lock_.tryLock(0)) {
        listen();
        return Role::Running;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // No lock can be made here (an unwritable folder): run without the check.
        qWarning("Tarvelo: cannot use %s; a second start will not find this one", qPrintable(socketPath_));
        return Role::Running;
    }
    return handOver(arguments, timeoutMs) ? Role::HandedOver : Role::NoAnswer;
}

void SingleInstance::listen()
{
    // Holding the lock, any socket file is a crashed run's.
    QLocalServer::removeServer(socketPath_);
    if (!server_.listen(socketPath_))
        qWarning("Tarvelo: cannot listen on %s: %s", qPrintable(socketPath_), qPrintable(server_.errorString()));
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > largestMessage) {
                socket->abort();
                return;
            }
            QDataStream in(socket);
            in.setVersion(streamVersion);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction())
                return; // more to come
            socket->write(&taken, 1);
            socket->flush();
            emit argumentsReceived(arguments);
        });
    }
}

bool SingleInstance::handOver(const QStringList& arguments, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running copy may hold the lock but not listen yet: try again until the deadline.
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << arguments;
    socket.write(message);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    return socket.read(&answer, 1) == 1 && answer == taken;
}

} // namespace tarvelo
