#include "ObjectRegistry.h"

#include "Text.h"

namespace zv::vbs {

namespace {

[[noreturn]] void cannotCreate(const QString& progId) {
    throw err::CannotCreateObject(progId);
}

} // namespace

void ObjectRegistry::add(const QString& progId, Factory create, Opener open) {
    entries_.insert(UCase(progId.trimmed()),
                    Entry{progId.trimmed(), std::move(create), std::move(open)});
}

void ObjectRegistry::remove(const QString& progId) {
    entries_.remove(UCase(progId.trimmed()));
}

bool ObjectRegistry::contains(const QString& progId) const {
    return find(progId) != nullptr;
}

QStringList ObjectRegistry::progIds() const {
    QStringList ids;
    for (const Entry& e : entries_)
        ids << e.progId;
    return ids;
}

const ObjectRegistry::Entry* ObjectRegistry::find(const QString& progId) const {
    auto it = entries_.constFind(UCase(progId.trimmed()));
    return it == entries_.constEnd() ? nullptr : &it.value();
}

DispatchPtr ObjectRegistry::create(const QString& progId) const {
    const Entry* e = find(progId);
    if (!e || !e->create) cannotCreate(progId);
    Factory make = e->create; // the factory may change the registry
    DispatchPtr obj = make();
    if (!obj) cannotCreate(progId);
    return obj;
}

DispatchPtr ObjectRegistry::open(const QString& path, const QString& progId) const {
    if (progId.isEmpty()) cannotCreate(path);
    if (path.isEmpty()) return create(progId);
    const Entry* e = find(progId);
    if (!e || !e->open) cannotCreate(progId);
    Opener openPath = e->open;
    DispatchPtr obj = openPath(path);
    if (!obj) cannotCreate(progId);
    return obj;
}

} // namespace zv::vbs
