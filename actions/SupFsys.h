#pragma once
// SupFsys: walks a folder tree and does one thing to every folder and file it meets: set their
// attributes, or call back a registered object by name. A short command text says what
// to do; the kinds text says whether folders and files are acted on and whether the walk
// descends into subfolders; the order is ">" (a folder's files first, then each subfolder,
// acted on before what is below it) or "<" (each subfolder's content first, then the
// subfolder, then the folder's files).
//
// The command text: blank-separated tokens, case-blind. The first is the verb: "ATR" sets each
// entry's attributes to the mask, "CBK" calls cbkFsysFicPro, "CBK:SEL" calls cbkFsysFicSel for
// files only; any other verb only counts. Further tokens: "+N" (mask 0), "+R" 1, "+H" 2, "+S" 4,
// "+A" 32, "REC<" and "REC>" (the order); others are ignored. Kinds: "D" folders, "F" files,
// "R" recurse, each looked for anywhere in the text, upper case only.
//
// The walk never acts on its starting folder, skips folders whose name begins with "." (it
// neither acts on nor enters them) and acts on such files; it matches files against the
// pattern (Windows wildcards, case-blind; an empty pattern matches no file). A folder's path is
// given with a trailing separator. A symbolic link is never entered and counts as a file; an
// attribute change leaves it and what it points to alone. Each folder is read whole and closed
// before the walk goes deeper. A folder that cannot be read is skipped; a failing attribute
// change raises its run-time error out of the walk (the totals are then not updated); errors
// of a call-back are ignored.
//
// The same class searches files into a list (PsqFic) and answers for network paths: a network
// path is "//server/share/rest" (two separators, then the server and the share; the text is
// never normalised as a local path, which would fold the two separators into one).

#include "Dispatch.h"
#include "FsysAttr.h"
#include "Variant.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace zv {

class SupFsys {
public:
    SupFsys();
    ~SupFsys();
    SupFsys(const SupFsys&) = delete;
    SupFsys& operator=(const SupFsys&) = delete;

    // Totals of the last walk, and the time it took (steady clock, seconds).
    float TmpPro = 0;
    int64_t NumEntEnc = 0; // folders found + files found
    int64_t NumEntPro = 0; // folders processed + files processed
    int64_t NumDirEnc = 0;
    int64_t NumDirPro = 0;
    int64_t NumFicEnc = 0;
    int64_t NumFicPro = 0;
    // The call-back object and its identifier text; CbkSit 1 while one is registered.
    Variant CbkOb;
    QString CbkIde;
    int CbkSit = 0;
    // The result limit of the file search (0: no limit); each search sets it.
    double PsqMax = 1000;
    // The Samba configuration that names this machine's shares.
    QString UncSmbCnf = QStringLiteral("/etc/samba/smb.conf");

    void FxIni();
    // Releases the call-back object.
    void FxFim();
    // Registers obj (an object) under the identifier ide; a text (or Nothing) instead of an
    // object unregisters. Any other value raises 424.
    void RegCbk(const QString& ide, const Variant& obj);
    // Sets the attributes given by the tokens atr on every folder below dir and every matching
    // file of the tree.
    void ProFsysAtrb(const QString& dir, const QString& atr, const QString& pattern);
    // Calls back for every folder and matching file of the tree: sel "*" every entry
    // (cbkFsysFicPro), else the files only (cbkFsysFicSel).
    void ProFsysCbk(const QString& sel, const QString& dir, const QString& pattern);
    void proFsys(const QString& spec, const QString& kinds, const QString& dir,
                 const QString& pattern);
    // The walk in order ">" / "<" unless the command text says otherwise.
    void ProFsysRp(const QString& spec, const QString& kinds, const QString& dir,
                   const QString& pattern);
    void ProFsysRa(const QString& spec, const QString& kinds, const QString& dir,
                   const QString& pattern);

    // A text up to its first null character (the whole text when it has none).
    static QString pSepNull(const QString& text);

    // ---- File search ----

    // The files under dir that match pattern ("" stands for "*.*"), found by a "CBK:SEL" walk
    // that calls this object back: names(1..n) their paths in walk order, element 0 "", at most
    // PsqMax of them (0: every one; the walk itself always goes to the end). opc is a property
    // text: "MP" the walk's kinds ("FR" when absent or empty: files, subfolders entered; "F"
    // the folder alone), "MAX" the limit (1000 when absent or empty), which PsqMax takes. An
    // absent folder gives n 0. A call-back object registered before is unregistered.
    void PsqFic(const QString& opc, const QString& dir, const QString& pattern, QStringList& names,
                int& n);
    // The search's own selection call-back: with ide "#PSQ.FIC" the path is added to the
    // result list while count (the file's running number) is at most PsqMax, or PsqMax is 0.
    // Any other ide is ignored.
    void cbkFsysFicSel(const QString& ide, double count, const QString& kind, const QString& path);

    // ---- Network paths ----

    // unc: path itself when it begins with two separators; else the network path of a local
    // absolute path, from the mount that holds it (the longest mount point): a cifs/smb3 mount
    // gives its source "//server/share" + the rest, an nfs mount "server:/export" gives
    // "//server/export" + the rest; on any other mount, a path in the folder of a disk share of
    // this machine (the first in UncSmbCnf) gives "//" + computer name + "/" + share + the rest;
    // else "". ok 1, and unc without a trailing separator, when unc is a network path; else 0.
    void UncCnv(const QString& path, QString& unc, int& ok);
    // ok 1 when path begins with two separators, else 0.
    void UncOk(const QString& path, int& ok);
    // exists 1 when the server-and-share part of the network path ("//server/share", the whole
    // path when it ends at the share) is mounted here from a cifs/smb3 or nfs server, on a mount
    // point that is a folder, or is a disk share of this machine (UncSmbCnf) whose folder exists;
    // else 0 (also for a path that is no network path). isUnc as UncOk.
    void UncExi(const QString& path, int& exists, int& isUnc);
    // The shares of server ("" this machine): list(0..2, 0..n), row 0 empty, each row the type
    // text ("HD" disk, "PRT" printer, "DEV" device, "IPC"), the share name and its local path.
    // This machine's shares are the sections of UncSmbCnf that have a path (not [global],
    // [homes] or [printers]; "PRT" when printable), then "IPC$"; no configuration gives n 0.
    // Another server ("name", "name:port", "//name") is asked as a guest over SMB, and given
    // 5 seconds in all to answer; its shares have no local path. A server that cannot be asked
    // (a name with a character no host name has, no answer in time, a refusal) gives n 0.
    void UncShares(const QString& server, Variant& list, int& n);

private:
    // One walk.
    struct ProFsysSpc {
        QString spec;
        QString order;
        QString kinds;
        QString verb;
        bool actFiles = false;
        bool actFolders = false;
        bool recurse = false;
        QString effectiveOrder;
        int64_t dirsFound = 0;
        int64_t dirsProcessed = 0;
        int64_t filesFound = 0;
        int64_t filesProcessed = 0;
        int64_t filesSelected = 0;
        QByteArray current;
        QString pattern;
        float seconds = 0;
        int mask = 0;
        // Made by the first folder whose attributes are set.
        std::unique_ptr<fsys::EntryReader> reader;
    };

    void ProFsysExe(const QString& spec, const QString& order, const QString& kinds,
                    const QString& dir, const QString& pattern);
    void ProFsysRec(ProFsysSpc& w, const QByteArray& dir);
    void ProFsysRecInv(ProFsysSpc& w, const QByteArray& dir);
    void ProFsysDir(ProFsysSpc& w, const QByteArray& dir, const std::vector<QByteArray>& files);
    void ProFsysDirEnt(ProFsysSpc& w, bool folder);
    void ProFsysFic(ProFsysSpc& w, bool folder, const QByteArray& path);
    static QByteArray DirFicJun(const QByteArray& dir, const QByteArray& name);
    void CbkFicPro(int64_t count, const QString& kind, const QString& path);
    void CbkFicSel(int64_t count, const QString& path);
    void callBack(const QString& member, int64_t count, const QString& kind, const QString& path);

    QString UncCnvDrv(const QString& path);

    // The search's result list: element 0 "", then the paths found.
    QStringList psqLst_;
    QString objectName_ = QStringLiteral("SupFsys");
    QString instanceId_;
};

} // namespace zv
