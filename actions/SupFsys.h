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

#include "Dispatch.h"
#include "Variant.h"

#include <QByteArray>
#include <QString>
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
    // The result limit of the file search (0: no limit).
    double PsqMax = 1000;

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

    QString objectName_ = QStringLiteral("SupFsys");
    QString instanceId_;
};

} // namespace zv
