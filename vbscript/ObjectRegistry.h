#pragma once
// The objects scripts can create by name: CreateObject(progId) and GetObject(path, progId)
// find their ProgID here (case-blind). Linux has no COM classes, so the host fills the registry
// with factories of its own; a ProgID nobody registered raises 429 "ActiveX component can't
// create object". One registry may serve several engines and the script host's own kind "DLL"
// objects (VbsSup), so the program fills it once.

#include "Dispatch.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace zv::vbs {

class ObjectRegistry {
public:
    // Makes a new object; it may raise a VbError of its own. A null result counts as 429.
    using Factory = std::function<DispatchPtr()>;
    // GetObject with a path: the object the path names (null: 429).
    using Opener = std::function<DispatchPtr(const QString& path)>;

    // Registers (or replaces) a ProgID. Without an opener, GetObject of that ProgID works only
    // with an empty path, which creates a new object as CreateObject does.
    void add(const QString& progId, Factory create, Opener open = {});
    void remove(const QString& progId);
    bool contains(const QString& progId) const;
    // The ProgIDs as registered, in no particular order.
    QStringList progIds() const;

    // CreateObject: a new object of a registered ProgID; 429 otherwise.
    DispatchPtr create(const QString& progId) const;
    // GetObject(path, progId): with a ProgID, an empty path creates a new object and any other
    // path goes to the ProgID's opener; without a ProgID (or with an unknown one) there is no
    // object to find: 429.
    DispatchPtr open(const QString& path, const QString& progId) const;

private:
    struct Entry {
        QString progId;
        Factory create;
        Opener open;
    };
    const Entry* find(const QString& progId) const;
    QHash<QString, Entry> entries_;
};

} // namespace zv::vbs
