#include "ActionsTest.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zvtest {

void makeTree(const QString& root, const QStringList& entries) {
    for (const QString& e : entries) {
        if (e.endsWith(u'/')) {
            QDir().mkpath(root + u'/' + e);
        } else if (e.contains(QLatin1String(" -> "))) {
            const QString name = e.section(QLatin1String(" -> "), 0, 0);
            const QString target = e.section(QLatin1String(" -> "), 1);
            const QString full = root + u'/' + name;
            QDir().mkpath(full.left(full.lastIndexOf(u'/')));
            ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                                QFile::encodeName(full).constData()),
                      0);
        } else {
            const QString full = root + u'/' + e;
            QDir().mkpath(full.left(full.lastIndexOf(u'/')));
            QFile f(full);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(e.toUtf8());
        }
    }
}

QStringList listTree(const QString& root) {
    QStringList out;
    std::function<void(const QString&)> walk = [&](const QString& rel) {
        const QDir d(rel.isEmpty() ? root : root + u'/' + rel);
        for (const QString& name :
             d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            const QString r = rel.isEmpty() ? name : rel + u'/' + name;
            const QByteArray full = QFile::encodeName(root + u'/' + r);
            struct stat st {};
            ::lstat(full.constData(), &st);
            if (S_ISLNK(st.st_mode)) {
                char buf[4096];
                const ssize_t n = ::readlink(full.constData(), buf, sizeof buf);
                out << r + QStringLiteral(" -> ") + QString::fromUtf8(buf, n > 0 ? n : 0);
            } else if (S_ISDIR(st.st_mode)) {
                out << r + u'/';
                walk(r);
            } else {
                out << r;
            }
        }
    };
    walk(QString());
    out.sort();
    return out;
}

unsigned modeOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

bool exists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

void setMode(const QString& path, unsigned mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value)
    : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
    if (had_)
        qputenv(name_, old_);
    else
        qunsetenv(name_);
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool xattrSupported(const QString& folder) {
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.xattr-probe"));
    QFile f(QFile::decodeName(probe));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.close();
    const bool ok = ::setxattr(probe.constData(), "user.zelvyn.probe", "1", 1, 0) == 0;
    ::unlink(probe.constData());
    return ok;
}

} // namespace zvtest
