#pragma once
// Helpers shared by the tests: the test data folder and temporary folders that clean up.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace zvtest {

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
