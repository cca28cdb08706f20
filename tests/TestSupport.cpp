#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace zvtest {

QString dataPath(const QString& relative) {
    QString base = QStringLiteral(ZV_TEST_DATA);
    return relative.isEmpty() ? base : base + u'/' + relative;
}

QString binPath(const QString& relative) {
    QString base = QStringLiteral(ZV_TEST_BIN);
    return relative.isEmpty() ? base : base + u'/' + relative;
}

TempDir::TempDir() : dir_(QDir::tempPath() + QStringLiteral("/zvtest-XXXXXX")) {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempDir::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + u'/' + relative;
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const {
    QString p = path(relative);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
    return p;
}

QByteArray TempDir::read(const QString& relative) const {
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace zvtest
