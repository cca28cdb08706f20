#pragma once
// FicGlb: paths and small file operations.
//
// - path text: folder and name, drive and network prefix, name and extension, joining
//   (FicGlbPath.cpp);
// - file system: type and attributes, existence, delete, copy, rename, opening on a numbered
//   file with an error report, reading a line, creating folders, listing a folder, making sure
//   a file exists, showing a text file, unloading the forms (FicGlb.cpp, FicGlbDir.cpp).
//
// Paths use the separator FicSepDir ("/" unless the start-up sets another; the path procedures
// work the same with "\"). A network path begins with two separators ("//server/share/rest").
// Results come back through reference arguments; text outputs are always assigned. The file
// procedures trap run-time errors and report their numbers: 0 done, else the error number,
// unless a procedure says otherwise.

#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zv {

// Module state: the path separator, set once at start-up.
struct FicGlbState {
    QString FicSepDir;
};
FicGlbState& ficGlbState();
void ficGlbReset();

// The separator in use: FicSepDir, or "/" while it is empty.
QString ficSep();

// ---- Path text ----

// Stores sep as the separator; "" stores "/" (the separator of this system's paths).
void FicSepIni(const QString& sep);
// Splits the trimmed path at its last separator or "]": the folder (without the separator,
// with the "]") and the name. No split character: folder "" and the whole path as name.
void FicDirNom(const QString& path, QString& dir, QString& name);
// Drive and rest: "X:rest" gives "X" and "rest"; "//server/rest" gives "//server" and "rest"
// ("//server" alone gives "//server" and ""); anything else "" and the path.
void FicDrvSep(const QString& path, QString& drive, QString& rest);
// Drive and rest: "X:rest" gives "X" and "rest"; "//server/share/rest" gives "//server/share"
// and "rest" (a path that ends at the share or the server gives all of it and ""); anything
// else "" and the path.
void FicUniSep(const QString& path, QString& drive, QString& rest);
// The position of the last "." of name; 0 when there is none or it is the first character.
void FicExtPos(const QString& name, int& pos);
// Base name and extension (both trimmed). With flag 1 a name without a dot is split at its
// first blank.
void FicNomSepExe(const QString& name, QString& base, QString& ext, int flag);
void FicNomSep(const QString& name, QString& base, QString& ext);
// base & "." & ext, or base alone when ext is "".
void FicExtAjt(const QString& base, const QString& ext, QString& out);
// name with its extension replaced by ext.
void FicExtSbs(const QString& name, const QString& ext, QString& out, int flag);
// Joins folder and name with one separator; one trailing separator is dropped (a lone
// separator stays, and a bare drive "X:" keeps its separator).
void FicPathJun(const QString& dir, const QString& name, QString& out);
QString FicPathJun(const QString& dir, const QString& name);
// The path joined from the elements of an array, lower to upper bound, each taken as text.
// A value that is no array counts as a one-element list.
QString FicPathJunLis(const Variant& parts);
// parts(0..5): the path, the drive, the folder without the drive, the name, the base name and
// the extension. parts is made large enough.
void FicPathPrt(const QString& path, QStringList& parts);
// The levels of a path, 1..count (element 0 ""); level 1 of a network path is "//server".
void FicPathLst(const QString& path, QStringList& levels, int& count);

// ---- File system ----

// Attributes and type: "F" a file, "D" a folder; "?" and -1 when they cannot be read.
void FicTipAtr(const QString& path, int& attr, QString& type);
void FicTip(const QString& path, QString& type, int& attr);
void FicTipDir(const QString& path, int& isDir);
// 1 when the file can be opened for reading, 0 when it does not exist (error 53), otherwise
// minus the error number (a folder, a missing folder on the way, no permission).
void FicExi(const QString& file, int& res);
// Deletes the files that file names; the name may hold the wildcards "*" and "?".
void FicEli(const QString& file, int& res);
// Copies src to dst, overwriting dst. -1 (and nothing copied) when both name the same file:
// the same text apart from case, or the same file reached by another path.
void FicCop(const QString& src, const QString& dst, int& res);
// Renames or moves a file or folder. A file elsewhere on the target's name is never replaced
// (58); a file moved to another file system is copied and then deleted.
void FicRen(const QString& oldPath, const QString& newPath, int& res);
// Opens file on the caller's file number: mode "O" output (the file is deleted first), "A"
// append, any other input. On failure report receives the error number; the report mode it
// held on entry decides what else happens: 2 or 3 show the error box, 1 or 3 close every file
// and end the program (FicErrFrm 1).
void FicAbrExe(int fileNum, const QString& file, const QString& mode, const QString& note,
               const QString& operation, int& report);
// FicAbrExe without report: res 1 when opened, else minus the error number.
void FicAbrDef(int fileNum, const QString& file, const QString& mode, int& res);
// Reads one line; on failure (the end of the file included) res = the error number and line
// unchanged. res is left alone on success.
void FicLinLer(int fileNum, QString& line, int& res);
// Creates one folder.
void DirCri(const QString& dir, int& res);
// Creates every level of a folder path; res is the result of the deepest level (an error also
// when it already existed).
void DirCriNiv(const QString& dir, int& res);
// Creates the folder of a file path when it is not a folder yet (0 when it already is).
void DirCriPath(const QString& file, int& res);
// The entries of one folder that match pattern, sorted by name without regard to case:
// kinds "F" files, "D" folders, "FD" both; attr the attributes searched (hidden 2, system 4;
// folders are added for "D"). list(1..count) the names, attrs(1..count) their attributes;
// element 0 stays empty. res 0, or the error number when the folder could not be read.
void DirLstRec(const QString& kinds, int attr, const QString& dir, const QString& pattern,
               QStringList& list, QList<int>& attrs, int& count, int& res);
void DirLst(const QString& kinds, const QString& dir, const QString& pattern, QStringList& list,
            int& count, int& res);
// Makes sure the file exists (its folders and an empty file are created): ok 1, else 0.
void FicCriTst(const QString& file, int& ok);
// Shows a text file in the text viewer; errors ignored. The window style has no effect here.
void FicVerNotepad(const QString& file, int style);
void FicVerNotepadArg(const QString& file, int style);
// Unloads every open form (two passes); flag 1 then ends the program (ProgramEnd with the
// error exit code 1).
void FicErrFrm(int flag);

// Windows wildcard match of a file name ("*", "?"; "*.*" matches every name), without regard
// to case.
bool ficNameMatches(const QString& name, const QString& pattern);

} // namespace zv
