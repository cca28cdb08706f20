// FicGlb: creating folders and listing a folder.

#include "FicGlb.h"

#include "FileAttributes.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace zv {

void DirCri(const QString& dir, int& res) {
    if (dir.isEmpty()) {
        res = err::PathNotFound;
        return;
    }
    if (::mkdir(QFile::encodeName(dir).constData(), 0777) == 0) {
        res = 0;
        return;
    }
    const int e = errno;
    // As the language's MkDir: an existing folder (or file) is an access error, a missing
    // folder on the way "path not found".
    if (e == EEXIST)
        res = err::PathFileAccess;
    else if (e == ENOENT)
        res = err::PathNotFound;
    else
        res = vbErrorFromErrno(e, false, true);
}

void DirCriNiv(const QString& dir, int& res) {
    const QString sep = ficSep();
    const bool network = dir.startsWith(sep + sep);
    QString work = network ? QStringLiteral("||") + dir.mid(2 * sep.size()) : dir;
    QStringList levels;
    int count = 0;
    TxArrSep(work, sep, levels, count);
    // A path from the root starts there, not in the current folder.
    QString cur = !network && dir.startsWith(sep) ? sep : QString();
    res = 0;
    for (int i = 1; i <= count; ++i) {
        QString level = levels[i];
        if (network && i == 1) level = sep + sep + level.mid(2);
        const QString next = FicPathJun(cur, level);
        if (network && i <= 2) {
            // The server and the share of a network path cannot be made (and "//server" would
            // name a local folder "/server" on this system).
            res = err::PathNotFound;
        } else {
            DirCri(next, res);
        }
        cur = next;
    }
}

void DirCriPath(const QString& file, int& res) {
    QString dir, name;
    FicDirNom(file, dir, name);
    int isDir = 0;
    FicTipDir(dir, isDir);
    if (isDir)
        res = 0;
    else
        DirCriNiv(dir, res);
}

void DirLstRec(const QString& kinds, int attr, const QString& dir, const QString& pattern,
               QStringList& list, QList<int>& attrs, int& count, int& res) {
    count = 0;
    res = 0;
    list = QStringList{QString()};
    attrs = QList<int>{0};
    int search = attr;
    if (kinds.contains(u'D')) search |= kAttrFolder;

    // The search names a folder and a pattern for the names in it.
    const QString spec = FicPathJun(dir, pattern);
    const qsizetype slash = spec.lastIndexOf(u'/');
    const QString folder =
        slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : spec.left(slash));
    const QString namePattern = slash < 0 ? spec : spec.mid(slash + 1);

    EventPump& pump = ProcessContext::current().pump();
    const EventPump::BusyToken busy = pump.busy();
    DIR* d = ::opendir(QFile::encodeName(folder).constData());
    pump.pump();
    if (!d) {
        const int e = errno;
        res = e == ENOENT || e == ENOTDIR ? err::PathNotFound : vbErrorFromErrno(e, false, true);
        return;
    }
    QStringList names;
    while (dirent* entry = ::readdir(d)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String("..")) continue;
        if (ficNameMatches(name, namePattern)) names << name;
    }
    ::closedir(d);
    // The folder's own order means nothing on Linux: by name, without regard to case.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QString ua = UCase(a), ub = UCase(b);
        return ua != ub ? ua < ub : a < b;
    });

    for (const QString& name : names) {
        pump.pump();
        int a = 0;
        QString type;
        FicTipAtr(folder == QLatin1String("/") ? u'/' + name : folder + u'/' + name, a, type);
        if (a < 0) continue;
        // Hidden, system and folder entries only when the search asks for them.
        if (a & (kAttrHidden | kAttrSystem | kAttrFolder) & ~search) continue;
        if (!kinds.contains(type)) continue;
        ++count;
        list << name;
        attrs << a;
    }
}

void DirLst(const QString& kinds, const QString& dir, const QString& pattern, QStringList& list,
            int& count, int& res) {
    QList<int> attrs;
    DirLstRec(kinds, kAttrReadOnly | kAttrHidden | kAttrSystem, dir, pattern, list, attrs, count,
              res);
}

} // namespace zv
