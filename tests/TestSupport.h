#pragma once
// Helpers shared by the tests: the test data folder and temporary folders that clean up.

#include <QString>
#include <QTemporaryDir>

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

} // namespace zvtest
