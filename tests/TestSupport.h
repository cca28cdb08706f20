#pragma once
// Helpers shared by the tests: texts and Variants printed readably in failure messages, the
// number of the error a call raises, the test data folder, temporary folders that clean up, a
// test with a fresh process context and its headless services, and child processes.

#include "Convert.h"
#include "ScopedProcessContext.h"
#include "Variant.h"
#include "VbError.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// ---- Failure messages show texts as text ----

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s;
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l)
        *os << s << ',';
    *os << '}';
}

namespace zv {
// "Variant(type, text)"; "?" for a value that has no text.
inline void PrintTo(const Variant& v, std::ostream* os) {
    *os << "Variant(" << v.varType() << ", ";
    try {
        *os << toText(v);
    } catch (...) {
        *os << "?";
    }
    *os << ')';
}
} // namespace zv

namespace zvtest {

// Runs f and gives the number of the run-time error (VbError) it raised, 0 when none.
template <typename F> int errorOf(F&& f) {
    try {
        f();
    } catch (const zv::VbError& e) {
        return e.number();
    }
    return 0;
}

// A file or folder under tests/data.
QString dataPath(const QString& relative = {});
// The build folder (where helper programs and modules are built).
QString binPath(const QString& relative = {});

// A temporary folder removed at the end of the test.
class TempDir {
public:
    TempDir();
    QString path(const QString& relative = {}) const;
    // Writes bytes to a file under the folder (creating its folders) and returns its path.
    QString write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// A test with a temporary folder and a fresh process context (headless services, a data folder
// of its own), current for the test's lifetime.
class HeadlessTest : public ::testing::Test {
protected:
    zv::HeadlessMessageBox& boxes() { return *ctx.headless().messageBox; }
    zv::HeadlessEventPump& pump() { return *ctx.headless().pump; }

    TempDir temp;
    zv::ScopedProcessContext ctx;
};

// ---- Child processes, for what a test cannot do to its own process ----

// Runs body in a forked child and returns body's result as the child's exit code (-1 when the
// child did not exit normally). Assertions made there do not reach the test: body tells what
// failed through its result.
int runInChild(const std::function<int()>& body);
// In a child: no file may grow beyond bytes (the file-size limit; its signal is ignored, so
// that the write fails with EFBIG instead of ending the process).
void limitFileSize(qint64 bytes);
// In a child: a tmpfs of sizeKb mounted on folder, in a mount namespace of the child alone, so
// that nothing shows outside it. False when the child may not (not root).
bool mountPrivateTmpfs(const QString& folder, int sizeKb);
// Fills the file system that holds folder to its last block (with the file "filler").
void fillFileSystem(const QString& folder);
// The names in folder, sorted, "." and ".." left out (hidden files included).
QStringList namesIn(const QString& folder);

} // namespace zvtest
