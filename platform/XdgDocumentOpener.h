#pragma once
// Opens documents through the desktop's opener (xdg-open). The target goes to the opener as one
// argument of its own (no shell: blanks, quotes and ";" in a name are just characters), the
// opener runs detached and nobody is left to reap it. A local path is passed absolute: the
// opener may hand it to a program that already runs in another folder, and an absolute path
// never begins with "-", so it cannot be taken for an option. The start itself is a function the
// tests replace, so they can see the command without opening anything.

#include "DocumentOpener.h"

#include <QStringList>
#include <functional>

namespace zv {

class XdgDocumentOpener : public DocumentOpener {
public:
    // Starts program with arguments, detached; true when it started.
    using Spawn = std::function<bool(const QString& program, const QStringList& arguments)>;

    explicit XdgDocumentOpener(QString program = QStringLiteral("xdg-open"), Spawn spawn = {});

    // Whether a text names a URL (a scheme of two or more characters and ":"), as opposed to a
    // path; "C:" is a drive, not a scheme.
    static bool isUrl(const QString& target);
    // The default start: QProcess's detached start (double fork; the parent reaps its child).
    static bool spawnDetached(const QString& program, const QStringList& arguments);

    bool open(const QString& target) override;
    bool viewText(const QString& file) override;

private:
    QString program_;
    Spawn spawn_;
};

} // namespace zv
