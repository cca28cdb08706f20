#pragma once
// Helpers of the action tests: a temporary tree of files and folders, file modes and link
// targets, and the process context with its headless services.

#include "TestSupport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace zvtest {

// Creates the entries under root: "name/" a folder, "name -> target" a symbolic link, any other
// text a file holding its own name.
void makeTree(const QString& root, const QStringList& entries);
// Every entry under root, relative, sorted; folders with a trailing "/", links as
// "name -> target" (links are not followed).
QStringList listTree(const QString& root);
// The permission bits (lstat).
unsigned modeOf(const QString& path);
bool exists(const QString& path);
void setMode(const QString& path, unsigned mode);
QByteArray contentOf(const QString& path);
// Whether the file system of path keeps user extended attributes.
bool xattrSupported(const QString& folder);

// An environment variable set for the lifetime of this object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value);
    ~ScopedEnv();

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// A headless test whose paths are under its temporary folder.
class ActionsTest : public HeadlessTest {
protected:
    QString path(const QString& relative = {}) const { return temp.path(relative); }
    QString path(const char* relative) const { return temp.path(QString::fromUtf8(relative)); }
    zv::HeadlessShellOperationUi& ui() { return *ctx.headless().shellUi; }
};

} // namespace zvtest
