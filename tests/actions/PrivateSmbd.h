#pragma once
// A private Samba server for the share-list tests: smbd in the foreground on a free loopback
// port, its configuration and every folder it writes in a temporary folder, guests allowed.
// It is stopped (with the RPC helper it starts on demand) when the object goes, and it dies
// with the test process if that ends first.

#include <QString>
#include <QStringList>

namespace zvtest {

class PrivateSmbd {
public:
    struct Share {
        QString name;
        bool printable = false;
    };

    // The smbd program, "" when Samba is not installed.
    static QString program();

    PrivateSmbd() = default;
    PrivateSmbd(const PrivateSmbd&) = delete;
    PrivateSmbd& operator=(const PrivateSmbd&) = delete;
    ~PrivateSmbd() { stop(); }

    // Starts the server under root with these shares (each a folder of its own) and waits until
    // it takes connections. False with the reason (and the server's log) in error.
    bool start(const QString& root, const QList<Share>& shares, QString& error);
    void stop();
    int port() const { return port_; }

private:
    bool startOn(int port, QString& error);

    QString root_;
    QString config_;
    int pid_ = -1;
    int port_ = 0;
};

} // namespace zvtest
