// SupFsys: network paths ("//server/share/rest") and share lists.

#include "SupFsys.h"

#include "ApiFsys.h"
#include "FicGlb.h"
#include "MountTable.h"
#include "ProcessContext.h"
#include "SupFsysShr.h"
#include "Text.h"

#include <QFileInfo>

#include <optional>

namespace zv {

namespace {

// How long another server may take to list its shares, in all.
constexpr int kServerWaitMs = 5000;

// Network texts are built with "/"; with another separator in use they get that one.
QString withSep(QString text) {
    const QString sep = ficSep();
    if (sep != QLatin1String("/")) text.replace(u'/', sep);
    return text;
}

// The network path that a mount stands for ("//server/share" or deeper, with "/"): the source
// of a cifs/smb3 mount, "//server/export" for an nfs mount "server:/export"; "" for any other.
QString mountNetworkPath(const MountedDrive& d) {
    const QString type = d.fsType.toLower();
    if (type == u"cifs" || type == u"smb3" || type == u"smbfs") {
        QString source = d.source;
        source.replace(u'\\', u'/');
        while (source.size() > 2 && source.endsWith(u'/'))
            source.chop(1);
        return source.startsWith(QLatin1String("//")) && source.size() > 2 ? source : QString();
    }
    if (type == u"nfs" || type == u"nfs4") {
        // The export follows the first ":/" (an address in brackets has colons of its own).
        const qsizetype at = d.source.indexOf(QLatin1String(":/"));
        if (at <= 0) return {};
        QString exported = d.source.mid(at + 1);
        while (exported.endsWith(u'/'))
            exported.chop(1);
        return QStringLiteral("//") + d.source.left(at) + exported;
    }
    return {};
}

// What follows folder in path ("" or a text beginning with "/"), when path is folder or lies
// in it; compared exactly, as Linux names are.
std::optional<QString> restIn(const QString& path, QString folder) {
    while (folder.endsWith(u'/'))
        folder.chop(1);
    if (!folder.isEmpty() && !folder.startsWith(u'/')) return std::nullopt;
    if (path == folder) return QString();
    if (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == u'/')
        return path.mid(folder.size());
    return std::nullopt;
}

// The server and the share of a network path, "" when it names no share.
void serverAndShare(const QString& unc, const QString& sep, QString& server, QString& share) {
    const QStringList parts = unc.mid(2 * sep.size()).split(sep);
    server = parts.value(0);
    share = parts.value(1);
}

std::vector<MountedDrive> mounts() {
    return readMountTable(ProcessContext::current().mountTableFile(),
                          apiFsysState().sysBlockFolder);
}

} // namespace

void SupFsys::UncOk(const QString& path, int& ok) {
    const QString sep = ficSep();
    ok = path.startsWith(sep + sep) ? 1 : 0;
}

void SupFsys::UncCnv(const QString& path, QString& unc, int& ok) {
    UncOk(path, ok);
    // A network path is taken as it stands: it is never normalised as a local path.
    unc = ok ? path : UncCnvDrv(path);
    UncOk(unc, ok);
    if (ok) unc = FicPathJun(unc, QString());
}

QString SupFsys::UncCnvDrv(const QString& path) {
    if (!path.startsWith(u'/')) return {};
    const std::vector<MountedDrive> drives = mounts();
    const QString mountPoint = mountPointOf(drives, path);
    for (const MountedDrive& d : drives) {
        if (d.mountPoint != mountPoint) continue;
        const QString net = mountNetworkPath(d);
        if (!net.isEmpty()) return withSep(net + restIn(path, mountPoint).value_or(QString()));
    }
    // Not on a network mount: a folder this machine shares, the first share that holds it.
    const QString host = ProcessContext::current().computerName();
    if (host.isEmpty()) return {};
    std::vector<unc::ShareRecord> shares;
    unc::configShares(UncSmbCnf, shares);
    for (const unc::ShareRecord& s : shares) {
        if (s.type != 0) continue;
        if (const auto rest = restIn(path, s.path))
            return withSep(QStringLiteral("//") + host + u'/' + s.name + *rest);
    }
    return {};
}

void SupFsys::UncExi(const QString& path, int& exists, int& isUnc) {
    exists = 0;
    UncOk(path, isUnc);
    if (!isUnc) return;
    const QString sep = ficSep();
    QString part, rest;
    FicUniSep(path, part, rest);
    QString server, share;
    serverAndShare(part, sep, server, share);
    if (server.isEmpty() || share.isEmpty()) return;
    const auto same = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    };
    // Server and share names are case-blind.
    for (const MountedDrive& d : mounts()) {
        const QString net = mountNetworkPath(d);
        if (net.isEmpty()) continue;
        QString netServer, netShare;
        serverAndShare(net, QStringLiteral("/"), netServer, netShare);
        if (same(netServer, server) && same(netShare, share) && QFileInfo(d.mountPoint).isDir()) {
            exists = 1;
            return;
        }
    }
    if (!same(server, ProcessContext::current().computerName())) return;
    std::vector<unc::ShareRecord> shares;
    unc::configShares(UncSmbCnf, shares);
    for (const unc::ShareRecord& s : shares) {
        if (s.type == 0 && same(s.name, share) && QFileInfo(s.path).isDir()) {
            exists = 1;
            return;
        }
    }
}

void SupFsys::UncShares(const QString& server, Variant& list, int& n) {
    n = 0;
    list = Variant::array({{0, 2}, {0, 0}});
    std::vector<unc::ShareRecord> shares;
    if (Trim(server).isEmpty())
        unc::configShares(UncSmbCnf, shares);
    else
        unc::serverShares(server, kServerWaitMs, shares);
    if (shares.empty()) return;
    list = Variant::array({{0, 2}, {0, int32_t(shares.size())}});
    VArray& rows = list.arrayMut();
    for (const unc::ShareRecord& s : shares) {
        ++n;
        const int32_t type[] = {0, n}, name[] = {1, n}, local[] = {2, n};
        rows.at(type) = Variant(unc::shareTypeText(s.type));
        rows.at(name) = Variant(s.name);
        rows.at(local) = Variant(s.path);
    }
}

} // namespace zv
