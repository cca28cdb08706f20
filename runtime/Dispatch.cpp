#include "Dispatch.h"

#include "Text.h"

#include <mutex>

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

struct MemberLayout {
    std::vector<std::pair<QString, DispId>> registrations; // name as given, id it got
    QHash<QString, DispId> byName;                         // upper-case name -> id
};

namespace {

std::mutex layoutsMutex;

QHash<QString, std::shared_ptr<const MemberLayout>>& layouts() {
    static QHash<QString, std::shared_ptr<const MemberLayout>> all;
    return all;
}

std::shared_ptr<const MemberLayout> layoutFor(const QString& typeName) {
    std::lock_guard lock(layoutsMutex);
    return layouts().value(typeName);
}

// Calls f with the upper-case form of name; short names are folded into a buffer on the stack.
template <class F>
auto withKey(QStringView name, F&& f) {
    constexpr qsizetype kShort = 64;
    if (name.size() > kShort) return f(UCase(name));
    QChar buffer[kShort];
    for (qsizetype i = 0; i < name.size(); ++i)
        buffer[i] = ucaseChar(name[i]);
    return f(QString::fromRawData(buffer, name.size()));
}

} // namespace

SimpleDispatch::SimpleDispatch(QString typeName) : typeName_(std::move(typeName)) {
    layout_ = layoutFor(typeName_);
    if (layout_)
        members_.reserve(layout_->byName.size());
    else
        record_ = std::make_shared<std::vector<std::pair<QString, DispId>>>();
}

DispId SimpleDispatch::lookUp(QStringView name) const {
    return withKey(name, [this](const QString& key) {
        if (layout_) {
            // The shared index may know names this object has not (yet) registered.
            const DispId id = layout_->byName.value(key, kDispIdUnknown);
            return id != kDispIdUnknown && size_t(id) <= members_.size() ? id : kDispIdUnknown;
        }
        return byName_.value(key, kDispIdUnknown);
    });
}

void SimpleDispatch::publishLayout() const {
    if (!record_) return;
    auto layout = std::make_shared<MemberLayout>();
    layout->registrations = std::move(*record_);
    layout->byName = byName_;
    record_.reset();
    std::lock_guard lock(layoutsMutex);
    if (!layouts().contains(typeName_)) layouts().insert(typeName_, std::move(layout));
}

DispId SimpleDispatch::memberId(const QString& name) const {
    if (name.isEmpty())
        return default_ == kDispIdUnknown ? kDispIdUnknown : kDispIdValue;
    publishLayout();
    return lookUp(name);
}

void SimpleDispatch::ownIndex() {
    for (size_t i = 0; i < registered_; ++i) {
        const auto& [name, id] = layout_->registrations[i];
        byName_.insert(UCase(name), id);
    }
    layout_.reset();
}

DispId SimpleDispatch::registerName(const QString& name) {
    if (layout_) {
        if (registered_ < layout_->registrations.size() &&
            layout_->registrations[registered_].first == name)
            return layout_->registrations[registered_++].second;
        ownIndex();
    }
    DispId id = withKey(name, [this](const QString& key) {
        auto it = byName_.constFind(key);
        return it == byName_.constEnd() ? kDispIdUnknown : it.value();
    });
    if (id == kDispIdUnknown) {
        id = DispId(members_.size() + 1);
        byName_.insert(UCase(name), id);
    }
    if (record_) record_->emplace_back(name, id);
    return id;
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
    const DispId id = registerName(name);
    if (size_t(id) <= members_.size()) {
        members_[size_t(id - 1)].method = std::move(fn);
        return;
    }
    members_.push_back({name, std::move(fn), {}, {}});
}

void SimpleDispatch::addProperty(const QString& name, Getter get, Setter set) {
    const DispId id = registerName(name);
    if (size_t(id) <= members_.size()) {
        Member& m = members_[size_t(id - 1)];
        m.getter = std::move(get);
        m.setter = std::move(set);
        return;
    }
    members_.push_back({name, {}, std::move(get), std::move(set)});
}

void SimpleDispatch::setDefaultMember(const QString& name) {
    const DispId id = lookUp(name);
    default_ = id;
}

} // namespace zv
