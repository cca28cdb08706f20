#pragma once
// SupShf: the shell's file operation for the wizard's actions and the support library. A caller
// sets a few options, fills a source list and a destination list and runs one operation: copy,
// move or delete of files, name patterns and whole folder trees, with a progress window and the
// handling of names that already exist. The work itself is runShellFileOperation; the progress
// window and the questions go through the process context's ShellOperationUi.
//
// Results are Variants: -1 (True) when the operation was carried out whole, 0 (False) when it
// was not (an error, a cancel, an item refused in a confirmation). FxCopDfi and FxCopArv give
// them as Integer, the other operations as Boolean.

#include "ShellFileOperation.h"
#include "Variant.h"
#include "WindowHandle.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zv {

class SupShf {
public:
    SupShf();
    ~SupShf();
    SupShf(const SupShf&) = delete;
    SupShf& operator=(const SupShf&) = delete;

    void FxIni();
    void FxFim();

    // The options, in the order of the shell's flags.
    bool AllowUndo() const { return AllowUndo_; }
    void setAllowUndo(bool v) { AllowUndo_ = v; }
    bool ConfirmMakeDir() const { return ConfirmMakeDir_; }
    void setConfirmMakeDir(bool v) { ConfirmMakeDir_ = v; }
    bool ConfirmOperation() const { return ConfirmOperation_; }
    void setConfirmOperation(bool v) { ConfirmOperation_ = v; }
    const QString& CustomText() const { return CustomText_; }
    void setCustomText(const QString& v) { CustomText_ = v; }
    bool IncludeDirectories() const { return IncludeDirectories_; }
    void setIncludeDirectories(bool v) { IncludeDirectories_ = v; }
    WindowHandle ParentWnd() const { return ParentWnd_; }
    void setParentWnd(WindowHandle v) { ParentWnd_ = v; }
    bool RenameOnCollision() const { return RenameOnCollision_; }
    void setRenameOnCollision(bool v) { RenameOnCollision_ = v; }
    bool SilentMode() const { return SilentMode_; }
    void setSilentMode(bool v) { SilentMode_ = v; }

    // ParentWnd := the form's window handle (its "hWnd").
    void RegHwnd(const DispatchPtr& form);
    // CustomText := text.
    void AspIde(const QString& text);
    // show 1: progress shown (SilentMode False), else silent; confirm 1: ask before replacing and
    // before creating folders, else neither.
    void AspExe(int show, int confirm);
    // AllowUndo := (v = 1): deletes go into the trash.
    void UsaRcBin(int v);

    void OrgIni() { sources_.clear(); }
    void OrgJun(const QString& path) { sources_ << path; }
    void DesIni() { destinations_.clear(); }
    void DesJun(const QString& path) { destinations_ << path; }

    Variant FxCop(const QString& src, const QString& dst);
    // Copies the content of a folder (not the folder itself) into dst: a src whose last name has
    // no wildcard becomes src joined with "*.*". show 1 first sets AspExe(1, 0).
    Variant FxCopArv(const QString& src, const QString& dst, int show);
    // Copies a file, a pattern or a folder, creating the target folders first.
    Variant FxCopDfi(const QString& src, const QString& dst);
    Variant FxMov(const QString& src, const QString& dst);
    Variant FxEli(const QString& path);
    // Empties a folder: deletes dir joined with "*.*"; the folder itself stays.
    Variant FxLpzDir(const QString& dir);
    // Renaming through the shell is not offered: 0, and nothing is done.
    Variant FxRen(const QString& oldPath, const QString& newPath);

    // The flag bits the options give (the shell's fFlags), for a destination list of
    // destinationCount entries.
    int flags(qsizetype destinationCount) const;
    // The details of the last operation run (error number and text, counts).
    const ShellFileResult& lastResult() const { return last_; }

private:
    // Runs one operation on the lists; raises err::NoSourceFiles (0x800403E8) when the source
    // list is empty.
    bool run(ShellOp op);
    // The lists emptied, then source, and target unless none, as their only entries; run(op).
    bool runOne(ShellOp op, const QString& source, const std::optional<QString>& target = {});
    // "F" a file or a pattern, "D" a folder, "?" absent; pattern tells the pattern case.
    QString pathKind(const QString& path, bool& pattern) const;

    QString objectName_ = QStringLiteral("SupShf");
    QString instanceId_;
    bool AllowUndo_ = false;
    bool ConfirmMakeDir_ = true;
    bool ConfirmOperation_ = true;
    QString CustomText_;
    bool IncludeDirectories_ = true;
    WindowHandle ParentWnd_ = 0;
    bool RenameOnCollision_ = false;
    bool SilentMode_ = false;
    QStringList sources_;
    QStringList destinations_;
    ShellFileResult last_;
};

} // namespace zv
