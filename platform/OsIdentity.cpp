#include "OsIdentity.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace zv {

namespace {

// A value of the file: shell-like quoting, with "\" escaping the next character inside double
// quotes.
QString unquote(const QString& raw) {
    const QString v = raw.trimmed();
    if (v.size() >= 2 && v.front() == u'\'' && v.back() == u'\'') return v.mid(1, v.size() - 2);
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"') {
        QString out;
        for (qsizetype i = 1; i + 1 < v.size(); ++i) {
            if (v[i] == u'\\' && i + 2 < v.size()) ++i;
            out += v[i];
        }
        return out;
    }
    return v;
}

} // namespace

QString osPrettyName(const QString& osReleaseFile) {
    QFile f(osReleaseFile);
    QHash<QString, QString> values;
    if (f.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            const QString l = line.trimmed();
            if (l.isEmpty() || l.startsWith(u'#')) continue;
            const qsizetype eq = l.indexOf(u'=');
            if (eq <= 0) continue;
            values.insert(l.left(eq).trimmed(), unquote(l.mid(eq + 1)));
        }
    }
    const QString pretty = values.value(QStringLiteral("PRETTY_NAME")).trimmed();
    if (!pretty.isEmpty()) return pretty;
    const QString name = values.value(QStringLiteral("NAME")).trimmed();
    const QString version = values.value(QStringLiteral("VERSION")).trimmed();
    if (!name.isEmpty()) return version.isEmpty() ? name : name + u' ' + version;
    return QStringLiteral("Linux");
}

KernelVersion parseKernelRelease(const QString& release) {
    KernelVersion v;
    int* parts[] = {&v.major, &v.minor, &v.build};
    int k = 0;
    qsizetype i = 0;
    while (k < 3 && i < release.size() && release[i].isDigit()) {
        int n = 0;
        while (i < release.size() && release[i].isDigit()) {
            n = n * 10 + release[i].digitValue();
            if (n > 1000000) n = 1000000;
            ++i;
        }
        *parts[k++] = n;
        if (i < release.size() && release[i] == u'.')
            ++i;
        else
            break;
    }
    return v;
}

} // namespace zv
