#pragma once
// ApiFsys: the Windows, system and temporary folders, and the drives.
//
// The Windows and system folders are the stand-in folders of the process context (never "");
// the temporary folder is the context's. A drive is a mounted file system named by its mount
// point ("/", "/media/cdrom"); the drive list is the mount table of the process context, in the
// order of the mount points. The two families of drive-type numbers and texts are kept:
// those of the scripting file-system object (DrvTipTx) and those of the drive-type query
// (DrvTip).

#include "Variant.h"

#include <QString>

namespace zv {

// Module state: where the kernel tells which block devices are removable (tests point it to a
// folder of their own).
struct ApiFsysState {
    QString sysBlockFolder = QStringLiteral("/sys/block");
};
ApiFsysState& apiFsysState();
void apiFsysReset();

QString DirSisWin();
QString DirSisSys();
void DirSis(QString& winDir, QString& sysDir);
// The temporary folder without a trailing separator (a lone root keeps it).
QString DirTmp();

// The root of a drive: a number 1..26 gives its letter with ":" (3 is "C:"), a one-letter text
// gets ":", any other text (a mount point) stays; then the separator is appended unless the
// text already ends with it. A number outside 1..26 gives the separator alone. (Drive letters
// name no drive on this system: their roots are not found by DrvTip.)
QString DrvLet(const Variant& drive);
// The type of the drive whose root DrvLet gives: 2 removable, 3 fixed, 4 remote, 5 CD-ROM,
// 6 RAM disk; 1 ("Inválido") when no drive is mounted there. text from the table.
void DrvTip(const Variant& drive, int& type, QString& text);
// Code and text of a file-system-object drive type: 1 "A", 2 "F", 3 "R", 4 "CD", 5 "RAM",
// other "?".
void DrvTipTx(int driveType, QString& code, QString& text);
// The drives joined with ",": filter "A", "F", "R", "CD" or "RAM" keeps that code only, "HD"
// fixed and remote drives, any other filter every drive.
void DrvLst(QString& list, const QString& filter);
// The first fixed drive for temporary files and its folder "Tmp"; mode "V" takes only a
// drive on which a test file can be created and deleted there. "" and "" when none.
void DrvTmpPsq(const QString& mode, QString& drive, QString& dir);

} // namespace zv
