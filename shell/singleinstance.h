#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

namespace tarvelo {

// One program per user. The first start holds a lock file and listens on a
// local socket in the user's runtime folder; a later start finds the lock
// held, hands its command line to the running program over the socket and
// ends. A lock or socket left by a crashed run does not count: the lock is
// released with its process, and the socket file is replaced.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        // No other copy runs: this one goes on (listening when it could).
        Running,
        // A running copy took the arguments: this one should end with 0.
        HandedOver,
        // A copy holds the lock but did not take the arguments in time.
        NoAnswer,
    };

    // folder: where the lock and the socket live; the user's runtime folder
    // unless a test gives another.
    explicit SingleInstance(const QString& folder = runtimeFolder(), QObject* parent = nullptr);

    // Settles which role this process plays, handing the arguments (the
    // command line after the program name) over when another copy runs.
    Role claim(const QStringList& arguments, int timeoutMs = 5000);

    QString socketPath() const { return socketPath_; }
    static QString runtimeFolder();

signals:
    // A later start's arguments, received by the running copy.
    void argumentsReceived(const QStringList& arguments);

private:
    void listen();
    void accept();
    bool handOver(const QStringList& arguments, int timeoutMs);

    QString socketPath_;
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace tarvelo
