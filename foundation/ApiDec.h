#pragma once
// ApiDec: the operating system and programs.
//
// - which system runs: code, name, family and generation, version text and properties, the
//   user and computer names (ApiDecSop.cpp). On Linux the version record has no Windows
//   platform id, so no Windows flag is set: the code is "WNT", the name the distribution's
//   (os-release), the version numbers the kernel's (uname);
// - windows: on top and back, redrawing off and on, through the window service (ApiDecPgm.cpp);
// - programs: starting a command (no shell; see ProgramRunner), waiting for it blocked with a
//   time-out or polling with the event pump, opening a document (ApiDecPgm.cpp);
// - components: running a module's registration entry point on a thread of its own, waited
//   for a limited time (ApiDecCmp.cpp).

#include "Dispatch.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <optional>

namespace zv {

// The version record, as the system's version query fills it.
struct SopVerInfo {
    int32_t size = 148;
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
    int32_t platformId = 0;
    QString servicePack; // cut at its first NUL
};

// One flag per Windows code; a flag once set stays set.
struct SopIdeFlags {
    bool W95 = false;
    bool W98 = false;
    bool W2000 = false;
    bool WXP = false;
    bool WVI = false;
    bool W7 = false;
};

// Registration results of CmpRegExe.
enum CmpRegRes {
    CmpRegNone = 0,         // empty file name, or no thread could be made
    CmpRegLoadFailed = 1,   // the module did not load
    CmpRegNoEntry = 2,      // no such entry point (or an operation other than 1 and 2)
    CmpRegTimedOut = 3,     // still running when the wait ended
    CmpRegRegistered = 4,   // DllRegisterServer returned success
    CmpRegUnregistered = 5, // DllUnregisterServer returned success
    CmpRegEntryFailed = 6,  // the entry point returned a failure code (negative)
};

// Module state.
struct ApiDecState {
    SopVerInfo SopVerInf;
    SopIdeFlags SopIdeSit;
    // How long a registration entry point is waited for.
    std::chrono::milliseconds cmpRegWait{10000};
    // A version record to use instead of the system's (tests of other systems).
    std::optional<SopVerInfo> versionOverride;
};
ApiDecState& apiDecState();
void apiDecReset();

// ---- Operating system ----

// Reads the version into SopVerInf and sets the flags.
void SopVerLer();
// The system's name and code ("W95", "W98", "W2000", "WXP", "WVI", "W7", else "WNT").
void SopIdeLer(QString& name, QString& code);
// text = name & " v" & major & "." & minor & ", Build " & build; number = platform id, major,
// minor and build joined with "."; build is the signed low 16 bits of the build number.
void SopVerTx(QString& text, QString& number);
// One property into target in target's own type: "P", "V+", "V-", "VB", "VC", "VER", "IDE",
// "COD", "FAM"; any other key the version text.
void SopPrpCon(const QString& key, Variant& target);
// Generation ("9X", "WNT", "W2K", "WVI", "?"), family ("9X", "WNT", "?") and code.
void SopIdeFam(QString& generation, QString& family, QString& code);
// The low 16 bits of n as a signed number.
int NuI2Cnv(int64_t n);
// The user's and the computer's name, cleaned by ApiStrAjt with the default "ROOT".
void SopUsrNom(QString& name, int& ok);
void SopPcNom(QString& name, int& ok);
// Every blank and NUL removed and the rest upper-cased; an empty result gives def and leaves
// ok alone, otherwise ok 1.
void ApiStrAjt(const QString& buffer, QString& text, int& ok, const QString& def);

// ---- Windows (the object's "hwnd" property names its window; errors ignored) ----

void WinTopLig(const DispatchPtr& form);
void WinTopDlg(const DispatchPtr& form);
// Brings the window in front of the others without keeping it there.
void WinTopIni(const DispatchPtr& form);
void WinRedSit(const DispatchPtr& control, int flag);
// Redrawing on, then the control's Refresh.
void WinRedLig(const DispatchPtr& control);
void WinRedDlg(const DispatchPtr& control);

// ---- Programs ----

// The window style for a program: 0..6 as given, anything else (or none) 6. Styles are kept
// for the callers' sake; programs on this system choose their own windows.
int PgmJanTip(std::optional<int> style = std::nullopt);
// Starts cmd: taskId the process id (0 on failure), err 0 or the error number plus the
// object-error base -2147221504.
void PgmShell(std::optional<int> style, const QString& cmd, int& taskId, int& err);
// Starts cmd in a normal window without waiting: ok 1 when it started, else 0.
void PgmExe(const QString& cmd, int& ok);
// Waits for a process. Mode "B": blocked, at most timeout seconds (none: no limit): "NOR"
// ended, "TO" time-out, "ERR" the wait failed. Any other mode: polls every 100 ms with the
// event pump until the process has ended (no time-out): "NOR".
QString PgmEsp(const QString& mode, int taskId, std::optional<double> timeout = std::nullopt);
// PgmShell, then PgmEsp's text when a process started, else the error value of PgmShell.
Variant PgmShellEsp(const QString& mode, const QString& cmd, std::optional<int> style,
                    std::optional<double> timeout = std::nullopt);
// Opens file as the desktop's "open" does: an executable is started, any other file, folder
// or URL goes to its associated program. ok 1 when that worked, else 0.
void PgmAbr(const QString& file, int& ok);

// ---- Components ----

// Runs the registration (op 1) or unregistration (op 2) entry point of a module file.
int CmpRegExe(const QString& file, int op);
// Mode "I" registers (a missing file is reported in a message box), "R" unregisters; ok is
// set to 1 when that worked and never set otherwise.
void CmpRegFic(const QString& mode, const QString& file, int& ok);
// The files "*." & ext of dir, sorted by upper-cased name, into files(1..n).
void FicLstExt(const QString& dir, const QString& ext, QStringList& files, int& n);
// For each files(1..): "I" registers, "R" unregisters, any other mode unregisters and then
// registers.
void CmpRegLst(const QString& mode, const QString& dir, const QStringList& files);
void CmpRegExt(const QString& mode, const QString& ext, const QString& dir);
// ext "DLL" or "OCX": those files; anything else: the DLL files, then the OCX files.
void CmpRegDir(const QString& mode, const QString& dir, const QString& ext);

} // namespace zv
