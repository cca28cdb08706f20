#include "Dispatch.h"

#include "Text.h"

namespace zv {

DispId Dispatch::memberId(const QString& name) const {
    return name.isEmpty() ? kDispIdValue : kDispIdUnknown;
}

Variant Dispatch::invoke(DispId, Invoke, Args) { throw VbError(err::NoSuchMember); }

std::unique_ptr<Enumerator> Dispatch::enumerate() { throw VbError(err::NotCollection); }

Variant Dispatch::invokeByName(const QString& name, Invoke kind, Args args) {
    DispId id = memberId(name);
    if (id == kDispIdUnknown)
        throw VbError(err::NoSuchMember,
                      vbErrorText(err::NoSuchMember) + QStringLiteral(": '%1'").arg(name));
    return invoke(id, kind, args);
}

Variant Dispatch::get(const QString& name) { return invokeByName(name, Invoke::Get, {}); }

Variant Dispatch::get(const QString& name, std::vector<Variant> args) {
    auto ptrs = argPointers(args);
    return invokeByName(name, Invoke::Get, ptrs);
}

void Dispatch::put(const QString& name, const Variant& value) {
    Variant v = value;
    Variant* p = &v;
    invokeByName(name, Invoke::Put, Args(&p, 1));
}

void Dispatch::putRef(const QString& name, const Variant& value) {
    Variant v = value;
    Variant* p = &v;
    invokeByName(name, Invoke::PutRef, Args(&p, 1));
}

Variant Dispatch::call(const QString& name, std::vector<Variant>& args) {
    auto ptrs = argPointers(args);
    return invokeByName(name, Invoke::Method, ptrs);
}

Variant Dispatch::call(const QString& name, std::vector<Variant>&& args) {
    std::vector<Variant> owned = std::move(args);
    return call(name, owned);
}

Variant Dispatch::defaultValue() {
    if (memberId(QString()) == kDispIdUnknown)
        throw VbError(err::NoSuchMember);
    return invoke(kDispIdValue, Invoke::Get, {});
}

std::vector<Variant*> argPointers(std::vector<Variant>& values) {
    std::vector<Variant*> ptrs;
    ptrs.reserve(values.size());
    for (auto& v : values)
        ptrs.push_back(&v);
    return ptrs;
}

void checkArgCount(Args args, size_t min, size_t max) {
    if (args.size() < min || args.size() > max)
        throw VbError(err::WrongArgCount);
}

// ---- SimpleDispatch ----

SimpleDispatch::SimpleDispatch(QString typeName) : typeName_(std::move(typeName)) {}

DispId SimpleDispatch::memberId(const QString& name) const {
    if (name.isEmpty())
        return default_ == kDispIdUnknown ? kDispIdUnknown : kDispIdValue;
    auto it = byName_.constFind(UCase(name));
    return it == byName_.constEnd() ? kDispIdUnknown : it.value();
}

const SimpleDispatch::Member* SimpleDispatch::member(DispId id) const {
    if (id == kDispIdValue)
        id = default_;
    if (id < 1 || size_t(id) > members_.size())
        return nullptr;
    return &members_[size_t(id - 1)];
}

QString SimpleDispatch::memberName(DispId id) const {
    const Member* m = member(id);
    return m ? m->name : QString();
}

Variant SimpleDispatch::invoke(DispId id, Invoke kind, Args args) {
    const Member* m = member(id);
    if (!m)
        throw VbError(err::NoSuchMember);
    switch (kind) {
    case Invoke::Method:
        if (m->method)
            return m->method(args);
        if (m->getter)
            return m->getter(args);
        break;
    case Invoke::Get:
        if (m->getter)
            return m->getter(args);
        if (m->method)
            return m->method(args);
        break;
    case Invoke::Put:
    case Invoke::PutRef:
        if (m->setter) {
            if (args.empty())
                throw VbError(err::WrongArgCount);
            m->setter(args);
            return {};
        }
        throw VbError(err::WrongArgCount);
    }
    throw VbError(err::NoSuchMember);
}

void SimpleDispatch::addMethod(const QString& name, Method fn) {
    QString key = UCase(name);
    auto it = byName_.find(key);
    if (it != byName_.end()) {
        members_[size_t(it.value() - 1)].method = std::move(fn);
        return;
    }
    members_.push_back({name, std::move(fn), {}, {}});
    byName_.insert(key, DispId(members_.size()));
}

void SimpleDispatch::addProperty(const QString& name, Getter get, Setter set) {
    QString key = UCase(name);
    auto it = byName_.find(key);
    if (it != byName_.end()) {
        Member& m = members_[size_t(it.value() - 1)];
        m.getter = std::move(get);
        m.setter = std::move(set);
        return;
    }
    members_.push_back({name, {}, std::move(get), std::move(set)});
    byName_.insert(key, DispId(members_.size()));
}

void SimpleDispatch::setDefaultMember(const QString& name) {
    auto it = byName_.constFind(UCase(name));
    default_ = it == byName_.constEnd() ? kDispIdUnknown : it.value();
}

} // namespace zv
