#pragma once
// ZelVynGlb: the wizard's global state and small services.
//
// - start-up state: the registry root, the definition file and the folders the definition and
//   the scripts see (VynFpa, DirPgm, LtrCd, DrvCd, DirBas), the definition's window settings,
//   the option reader of the definition (ZelVynGlb.cpp);
// - the drive part of a folder: FicDirDiv, DrvNor (ZelVynGlb.cpp);
// - starting a program and waiting for it by a numeric mode, and the registry key path and
//   string values the scripts work with (ZelVynGlbSrv.cpp).
//
// On this system a drive is a mount point: the drive part of a folder is the drive letter of a
// Windows-style path ("D"), the server and share of a network path ("//server/share"), and for
// a path of this system the mount point that holds it ("/", "/media/cdrom"). Only a drive
// letter gets a ":" in DrvCd.

#include "Variant.h"

#include <QString>
#include <array>
#include <memory>

namespace zv {

class TdaOpc;

// Module state, for the whole run.
struct ZelVynGlbState {
    ZelVynGlbState();
    ~ZelVynGlbState();
    ZelVynGlbState(ZelVynGlbState&&) noexcept;
    ZelVynGlbState& operator=(ZelVynGlbState&&) noexcept;

    // The root key of the registry services: HKEY_LOCAL_MACHINE as a Long (GlbIni).
    Variant regRoot;

    // The definition file and its folders (FpaLoc).
    QString VynFpa;
    QString DirPgm;       // the folder of the definition file, not the program's own folder
    QString LtrCd;        // the drive part of DirPgm
    QString DrvCd;        // LtrCd as a drive: a letter with ":", anything else as it is
    QString DirBas;       // nothing sets it: always ""
    QString wizardFolder; // the folder behind the key "DIRVYN": nothing sets it, always ""

    // The definition's window settings (its "DEF" zone).
    QString TitVyn;
    QString imgFunPath; // background picture
    QString imgIcoPath; // icon
    Variant dimX;       // window width: twips, or the text "AUTO"
    Variant dimY;
    QString debugMode; // "DbgModo": debug mode when not ""
    QString MsgCan;    // the question a default Cancel asks
    // The buttons' "DEF" positions ("TraPosAnt" ...), by button index as PagDef::Tra; 0 unused.
    std::array<QString, 5> buttonPositions;

    // The option reader of the definition: made on first use, released once the definition
    // has been read.
    std::unique_ptr<TdaOpc> optionReader;

    // The registry key path the scripts work under (RegChvPrp).
    QString regKeyPath;
};
ZelVynGlbState& zelVynGlbState();
void zelVynGlbReset();

// The option reader, made when there is none.
TdaOpc& optionReader();
void optionReaderRelease();

// Sets the registry root to HKEY_LOCAL_MACHINE.
void GlbIni();

// The drive part of a folder: letter the drive letter ("D" for "D:\x"), the server and share
// of a network folder ("//srv/share" for "//srv/share/x" and for "//srv/share" itself; the
// server alone for "//srv"), or the mount point that holds a folder of this system ("" when
// none does); drive is DrvNor of letter.
void FicDirDiv(const QString& folder, QString& letter, QString& drive);
// A drive from its letter: a drive letter gets ":" ("D" gives "D:"); a network path, a mount
// point, "" or any other text stays as it is, so no stray ":" is ever added.
void DrvNor(const QString& letter, QString& drive);
// Debug mode's folders ("DbgLtrCd", "DbgDirPgm" of the definition) in place of the definition
// file's: LtrCd := letter, DirPgm := folder, DrvCd := DrvNor(letter).
void debugFoldersApply(const QString& letter, const QString& folder);

// ---- Errors that end the wizard ----

// Writes one line on the standard error stream: "zelvyn: " and text, with the box line breaks
// ("|") of text as blanks.
void writeErrorLine(const QString& text);
// A definition that cannot be used (missing, unreadable, without pages, with a script that does
// not compile): the error box titled "Vynnard" with text, "||Ficheiro: " and the definition's
// path, the same on the standard error stream, and the end of the program with exit status 1.
[[noreturn]] void FpaErr(const QString& text, const QString& path);

// ---- Programs and the registry (ZelVynGlbSrv.cpp) ----

// Starts cmd and waits for it by mode (a number; a value that is no number counts as 0), with
// the event pump before and after:
//   -1   started and waited for without a time limit, blocking;
//   -2   started and waited for by polling with the event pump;
//   > 0  started and waited for blocking at most mode seconds;
//   else opened as the desktop opens a document, without waiting.
// The Integer 1 when the program ended (or, opened, when that worked), else 0: a program that
// could not start, a wait that timed out or failed.
Variant PgmExeEsp(const QString& cmd, const Variant& mode);

// Mode "A" stores key as the registry key path; any other mode puts the stored path in key.
void RegChvPrp(const QString& mode, QString& key);

// The string value name under the stored key path of the registry root. Mode "A" writes value
// (the key is made when missing); found is the write's flag (-1 written, 0 not). Any other
// mode reads it into value with the NUL characters removed and the blanks at both ends
// trimmed (blanks inside stay: "/opt/Meu Programa" comes back whole); found 1, or 0 when the
// value is "" (missing, no string, or empty).
void RegValPrp(const QString& mode, const QString& name, QString& value, int& found);

} // namespace zv
