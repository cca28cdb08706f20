#include "Dispatch.h"

#include "Text.h"

namespace zv {

bool ListEnumerator::next(Variant& out) {
    if (pos_ >= items_.size()) return false;
    out = items_[pos_++];
    return true;
}

DispId Dispatch::memberId(const QString& name) const {
    return name.isEmpty() ? kDispIdValue : kDispIdUnknown;
}

Variant Dispatch::invoke(DispId, Invoke, Args) {
    throw VbError(err::NoSuchMember);
}

std::unique_ptr<Enumerator> Dispatch::enumerate() {
    throw VbError(err::NotCollection);
}

Variant Dispatch::invokeByName(const QString& name, Invoke kind, Args args) {
    DispId id = memberId(name);
    if (id == kDispIdUnknown) throw err::NoSuchMember(name);
    return invoke(id, kind, args);
}

Variant Dispatch::get(const QString& name) {
    return invokeByName(name, Invoke::Get, {});
}

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
    if (memberId(QString()) == kDispIdUnknown) throw VbError(err::NoSuchMember);
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
    if (args.size() < min || args.size() > max) throw VbError(err::WrongArgCount);
}

// ---- MemberTable ----

namespace {

// Calls f with the upper-case form of name; short names are folded into a buffer on the stack.
template <class F> auto withKey(QStringView name, F&& f) {
    constexpr qsizetype kShort = 64;
    if (name.size() > kShort) return f(UCase(name));
    QChar buffer[kShort];
    for (qsizetype i = 0; i < name.size(); ++i)
        buffer[i] = ucaseChar(name[i]);
    return f(QString::fromRawData(buffer, name.size()));
}

} // namespace

MemberTable::MemberTable(QString typeName) : typeName_(std::move(typeName)) {}

DispId MemberTable::find(QStringView name) const {
    if (name.isEmpty()) return default_ == kDispIdUnknown ? kDispIdUnknown : kDispIdValue;
    return withKey(name, [this](const QString& key) { return byName_.value(key, kDispIdUnknown); });
}

const MemberTable::Member* MemberTable::member(DispId id) const {
    if (id == kDispIdValue) id = default_;
    if (id < 1 || size_t(id) > members_.size()) return nullptr;
    return &members_[size_t(id - 1)];
}

QString MemberTable::memberName(DispId id) const {
    const Member* m = member(id);
    return m ? m->name : QString();
}

Variant MemberTable::invoke(Dispatch& self, DispId id, Invoke kind, Args args) const {
    const Member* m = member(id);
    if (!m) throw VbError(err::NoSuchMember);
    switch (kind) {
    case Invoke::Method:
        if (m->call) return m->call(self, args);
        if (m->get) return m->get(self, args);
        break;
    case Invoke::Get:
        if (m->get) return m->get(self, args);
        if (m->call) return m->call(self, args);
        break;
    case Invoke::Put:
    case Invoke::PutRef: {
        const Handler& assign = kind == Invoke::Put ? m->let : m->set;
        if (!assign || args.empty()) throw VbError(err::WrongArgCount);
        assign(self, args);
        return {};
    }
    }
    throw VbError(err::NoSuchMember);
}

MemberTable::Member& MemberTable::add(const QString& name) {
    const DispId id =
        withKey(name, [this](const QString& key) { return byName_.value(key, kDispIdUnknown); });
    if (id != kDispIdUnknown) return members_[size_t(id - 1)];
    members_.push_back({name, {}, {}, {}, {}});
    byName_.insert(UCase(name), DispId(members_.size()));
    return members_.back();
}

void MemberTable::setDefault(const QString& name) {
    const DispId id = find(name);
    default_ = name.isEmpty() ? kDispIdUnknown : id;
}

// ---- SimpleDispatch ----

SimpleDispatch::SimpleDispatch(QString typeName) : BoundDispatch(own_), own_(std::move(typeName)) {}

void SimpleDispatch::addMethod(const QString& name, Method fn) {
    own_.add(name).call = [fn = std::move(fn)](Dispatch&, Args a) { return fn(a); };
}

void SimpleDispatch::addProperty(const QString& name, Getter get, Setter set) {
    MemberTable::Member& m = own_.add(name);
    m.get = get ? MemberTable::Handler([get = std::move(get)](Dispatch&, Args a) { return get(a); })
                : MemberTable::Handler();
    if (set) {
        m.let = [set = std::move(set)](Dispatch&, Args a) {
            set(a);
            return Variant();
        };
        m.set = m.let;
    } else {
        m.let = m.set = {};
    }
}

} // namespace zv
