#include "XdgDocumentOpener.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace zv {

XdgDocumentOpener::XdgDocumentOpener(QString program, Spawn spawn)
    : program_(std::move(program)), spawn_(spawn ? std::move(spawn) : Spawn(&spawnDetached)) {}

bool XdgDocumentOpener::isUrl(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

bool XdgDocumentOpener::spawnDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool XdgDocumentOpener::open(const QString& target) {
    if (target.isEmpty()) return false;
    // An existing path wins over a name that merely looks like a URL ("notes:1.txt").
    const QFileInfo local(target);
    if (local.exists()) return spawn_(program_, {local.absoluteFilePath()});
    return isUrl(target) && spawn_(program_, {target});
}

bool XdgDocumentOpener::viewText(const QString& file) {
    const QFileInfo local(file);
    return !file.isEmpty() && local.isFile() && spawn_(program_, {local.absoluteFilePath()});
}

} // namespace zv
