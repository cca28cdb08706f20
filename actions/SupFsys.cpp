#include "SupFsys.h"

#include "Convert.h"
#include "DbgFx.h"
#include "FicGlb.h"
#include "FileLayer.h"
#include "FsysAttr.h"
#include "FsysDir.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace zv {

SupFsys::SupFsys() {
    DbgObIni(objectName_, instanceId_);
    PsqMax = 1000;
    FxIni();
}

SupFsys::~SupFsys() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

void SupFsys::FxIni() {
    DbgFxIni(objectName_, instanceId_);
}

void SupFsys::FxFim() {
    DbgFxFim(objectName_, instanceId_);
    CbkOb = Variant::nothing();
    CbkSit = 0;
}

void SupFsys::RegCbk(const QString& ide, const Variant& obj) {
    if (obj.isObject() && !obj.isNothing()) {
        CbkIde = ide;
        CbkOb = obj;
        CbkSit = 1;
    } else if (obj.isString() || obj.isNothing()) {
        CbkIde.clear();
        CbkOb = Variant::nothing();
        CbkSit = 0;
    } else {
        vbRaise(err::ObjectRequired);
    }
}

void SupFsys::ProFsysAtrb(const QString& dir, const QString& atr, const QString& pattern) {
    proFsys(QStringLiteral("ATR ") + atr, QStringLiteral("DFR"), dir, pattern);
}

void SupFsys::ProFsysCbk(const QString& sel, const QString& dir, const QString& pattern) {
    const QString verb =
        sel == QLatin1String("*") ? QStringLiteral("CBK") : QStringLiteral("CBK:SEL");
    proFsys(verb, QStringLiteral("DFR"), dir, pattern);
}

void SupFsys::proFsys(const QString& spec, const QString& kinds, const QString& dir,
                      const QString& pattern) {
    ProFsysRp(spec, kinds, dir, pattern);
}

void SupFsys::ProFsysRp(const QString& spec, const QString& kinds, const QString& dir,
                        const QString& pattern) {
    ProFsysExe(spec, QStringLiteral(">"), kinds, dir, pattern);
}

void SupFsys::ProFsysRa(const QString& spec, const QString& kinds, const QString& dir,
                        const QString& pattern) {
    ProFsysExe(spec, QStringLiteral("<"), kinds, dir, pattern);
}

QString SupFsys::pSepNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

void SupFsys::ProFsysExe(const QString& spec, const QString& order, const QString& kinds,
                         const QString& dir, const QString& pattern) {
    ProFsysSpc w;
    w.spec = spec;
    w.order = order;
    w.kinds = kinds;
    w.pattern = pattern;
    w.effectiveOrder = TxMai(order);

    QStringList tokens;
    int count = 0;
    TxArrSep(Trim(spec), QStringLiteral(" "), tokens, count);
    bool first = true;
    for (int i = 1; i <= count; ++i) {
        const QString t = TxMai(tokens[i]);
        if (first) {
            w.verb = t;
            first = false;
            continue;
        }
        if (t == QLatin1String("+N"))
            w.mask = 0;
        else if (t == QLatin1String("+R"))
            w.mask |= 1;
        else if (t == QLatin1String("+H"))
            w.mask |= 2;
        else if (t == QLatin1String("+S"))
            w.mask |= 4;
        else if (t == QLatin1String("+A"))
            w.mask |= 32;
        else if (t == QLatin1String("REC<"))
            w.effectiveOrder = QStringLiteral("<");
        else if (t == QLatin1String("REC>"))
            w.effectiveOrder = QStringLiteral(">");
    }
    w.actFolders = kinds.contains(u'D');
    w.actFiles = kinds.contains(u'F');
    w.recurse = kinds.contains(u'R');

    // A steady clock: the time a walk takes never goes negative when the wall clock moves.
    const auto started = std::chrono::steady_clock::now();
    w.current = QFile::encodeName(dir);
    if (!w.current.isEmpty()) {
        if (w.effectiveOrder == QLatin1String("<"))
            ProFsysRec(w, w.current);
        else
            ProFsysRecInv(w, w.current);
    }
    w.seconds = std::chrono::duration<float>(std::chrono::steady_clock::now() - started).count();

    TmpPro = w.seconds;
    NumDirEnc = w.dirsFound;
    NumDirPro = w.dirsProcessed;
    NumFicEnc = w.filesFound;
    NumFicPro = w.filesProcessed;
    NumEntEnc = w.dirsFound + w.filesFound;
    NumEntPro = w.dirsProcessed + w.filesProcessed;
}

namespace {

// The entries of a folder split into the files that match the pattern and the folders the walk
// may enter (not those whose name begins with "."). False when the folder cannot be read.
bool readLevel(const QByteArray& dir, const QString& pattern, std::vector<QByteArray>& files,
               std::vector<QByteArray>& folders) {
    std::vector<fsys::Entry> entries;
    if (fsys::readFolder(dir, entries) != 0) return false;
    // "*.*" and "*" take every file: no name needs to be made a text to be matched.
    const bool everyFile = pattern == u"*.*" || pattern == u"*";
    for (const fsys::Entry& e : entries) {
        if (e.folder) {
            if (!e.name.startsWith('.')) folders.push_back(e.name);
        } else if (everyFile ||
                   (!pattern.isEmpty() && ficNameMatches(fsys::text(e.name), pattern))) {
            files.push_back(e.name);
        }
    }
    return true;
}

} // namespace

// Order ">": the folder's files, then each subfolder acted on and then walked.
void SupFsys::ProFsysRecInv(ProFsysSpc& w, const QByteArray& dir) {
    std::vector<QByteArray> files, folders;
    if (!readLevel(dir, w.pattern, files, folders)) return;
    ProFsysDir(w, dir, files);
    for (const QByteArray& name : folders) {
        const QByteArray sub = DirFicJun(dir, name);
        ProFsysDirEnt(w, true);
        if (w.actFolders) ProFsysFic(w, true, sub);
        if (w.recurse) ProFsysRecInv(w, sub);
    }
}

// Order "<": each subfolder walked and then acted on, then the folder's files.
void SupFsys::ProFsysRec(ProFsysSpc& w, const QByteArray& dir) {
    std::vector<QByteArray> files, folders;
    if (!readLevel(dir, w.pattern, files, folders)) return;
    for (const QByteArray& name : folders) {
        const QByteArray sub = DirFicJun(dir, name);
        if (w.recurse) ProFsysRec(w, sub);
        ProFsysDirEnt(w, true);
        if (w.actFolders) ProFsysFic(w, true, sub);
    }
    ProFsysDir(w, dir, files);
}

void SupFsys::ProFsysDir(ProFsysSpc& w, const QByteArray& dir,
                         const std::vector<QByteArray>& files) {
    // The attributes of a folder's files are set through the folder, open for the while:
    // each file is then found by its name alone.
    file::Fd folder;
    if (w.actFiles && w.verb == QLatin1String("ATR") && !files.empty())
        folder = file::Fd(
            ::open(dir.isEmpty() ? "." : dir.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    // Their status and marks read ahead, all at once.
    std::vector<fsys::EntryState> states;
    if (folder.isOpen()) {
        if (!w.reader) w.reader = std::make_unique<fsys::EntryReader>();
        w.reader->read(folder.get(), files, states);
    }
    for (size_t i = 0; i < files.size(); ++i) {
        const QByteArray& name = files[i];
        ProFsysDirEnt(w, false);
        if (!w.actFiles) continue;
        const QByteArray path = DirFicJun(dir, name);
        if (folder.isOpen()) {
            ++w.filesProcessed;
            fsys::setAttributesAt(folder.get(), name, path, w.mask, &states[i]);
        } else {
            ProFsysFic(w, false, path);
        }
    }
}

void SupFsys::ProFsysDirEnt(ProFsysSpc& w, bool folder) {
    if (folder)
        ++w.dirsFound;
    else
        ++w.filesFound;
}

void SupFsys::ProFsysFic(ProFsysSpc& w, bool folder, const QByteArray& path) {
    if (folder)
        ++w.dirsProcessed;
    else
        ++w.filesProcessed;
    // A folder is named with a trailing separator.
    const auto shown = [&] { return fsys::text(folder ? path + '/' : path); };
    if (w.verb == QLatin1String("ATR")) {
        fsys::setAttributes(path, w.mask);
    } else if (w.verb == QLatin1String("CBK")) {
        CbkFicPro(w.dirsProcessed + w.filesProcessed,
                  folder ? QStringLiteral("D") : QStringLiteral("F"), shown());
    } else if (w.verb == QLatin1String("CBK:SEL") && !folder) {
        ++w.filesSelected;
        CbkFicSel(w.filesSelected, shown());
    }
}

QByteArray SupFsys::DirFicJun(const QByteArray& dir, const QByteArray& name) {
    return fsys::join(dir, name);
}

void SupFsys::CbkFicPro(int64_t count, const QString& kind, const QString& path) {
    callBack(QStringLiteral("cbkFsysFicPro"), count, kind, path);
}

void SupFsys::CbkFicSel(int64_t count, const QString& path) {
    callBack(QStringLiteral("cbkFsysFicSel"), count, QStringLiteral("F"), path);
}

void SupFsys::callBack(const QString& member, int64_t count, const QString& kind,
                       const QString& path) {
    if (CbkSit != 1 || !CbkOb.isObject() || CbkOb.isNothing()) return;
    // The count is a Long while it fits one (a Double beyond, never a wrapped number).
    const Variant n = count <= std::numeric_limits<int32_t>::max() ? Variant(int32_t(count))
                                                                   : Variant(double(count));
    std::vector<Variant> args{Variant(CbkIde), n, Variant(kind), Variant(path)};
    // A call-back that fails (or has no such member) does not stop the walk.
    vbTrap([&] { CbkOb.rawObject()->call(member, args); });
}

// ---- File search ----

namespace {

// The object the search registers as its own call-back: it hands the selection call-back to
// the search.
std::shared_ptr<SimpleDispatch> searchCallBack(SupFsys& fsys) {
    auto obj = std::make_shared<SimpleDispatch>(QStringLiteral("SupFsys"));
    obj->addMethod(QStringLiteral("cbkFsysFicSel"), [&fsys](Args a) {
        checkArgCount(a, 4, 4);
        fsys.cbkFsysFicSel(toText(*a[0]), toDouble(*a[1]), toText(*a[2]), toText(*a[3]));
        return Variant();
    });
    return obj;
}

} // namespace

void SupFsys::PsqFic(const QString& opc, const QString& dir, const QString& pattern,
                     QStringList& names, int& n) {
    QString before, value, after;
    int found = 0;
    PrmPos(opc, QStringLiteral("MP"), before, value, after, found);
    const QString kinds = value.isEmpty() ? QStringLiteral("FR") : value;
    PrmPos(opc, QStringLiteral("MAX"), before, value, after, found);
    if (value.isEmpty()) {
        PsqMax = 1000;
    } else {
        Variant limit;
        NumVal(Variant(value), limit);
        PsqMax = limit.numericValue();
    }

    psqLst_ = QStringList{QString()};
    RegCbk(QStringLiteral("#PSQ.FIC"), Variant(DispatchPtr(searchCallBack(*this))));
    // The call-back object refers to this one: it is unregistered whatever the walk does.
    struct Unregister {
        SupFsys& fsys;
        ~Unregister() { fsys.RegCbk(QString(), Variant(QString())); }
    } unregister{*this};
    proFsys(QStringLiteral("CBK:SEL"), kinds, dir,
            pattern.isEmpty() ? QStringLiteral("*.*") : pattern);

    n = int(psqLst_.size()) - 1;
    names = std::move(psqLst_);
    psqLst_.clear();
}

void SupFsys::cbkFsysFicSel(const QString& ide, double count, const QString&, const QString& path) {
    if (ide != QLatin1String("#PSQ.FIC")) return;
    // At most PsqMax paths: the one numbered PsqMax is still kept.
    if (PsqMax == 0 || count <= PsqMax) psqLst_.append(path);
}

} // namespace zv
