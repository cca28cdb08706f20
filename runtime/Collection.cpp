#include "Collection.h"
#include "Binder.h"

#include "Convert.h"
#include "Text.h"

#include <algorithm>

namespace zv {

namespace {

bool given(Args args, size_t i) {
    return i < args.size() && !args[i]->isMissing();
}

} // namespace

Collection::Collection() : BoundDispatch(memberTable()) {}

const MemberTable& Collection::memberTable() {
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("Collection"));
        Members<Collection>(t)
            .methodWithArgs(QStringLiteral("Add"),
                            [](Collection& c, Args args) {
                                checkArgCount(args, 1, 4);
                                const Variant missing = Variant::missing();
                                c.add(*args[0], given(args, 1) ? *args[1] : missing,
                                      given(args, 2) ? *args[2] : missing,
                                      given(args, 3) ? *args[3] : missing);
                                return Variant();
                            })
            .method(QStringLiteral("Item"),
                    [](Collection& c, const Variant& indexOrKey) { return c.item(indexOrKey); })
            .property<int32_t>(QStringLiteral("Count"), &Collection::count)
            .method(QStringLiteral("Remove"),
                    [](Collection& c, const Variant& indexOrKey) { c.remove(indexOrKey); })
            .defaultMember(QStringLiteral("Item"));
        return t;
    }();
    return table;
}

void Collection::add(const Variant& item, const std::optional<QString>& key) {
    insert(entries_.size(), item, key);
}

void Collection::add(const Variant& item, const Variant& key, const Variant& before,
                     const Variant& after) {
    std::optional<QString> k;
    if (!key.isMissing()) {
        const Variant kv = dereference(key);
        if (!kv.isString()) vbRaise(err::TypeMismatch);
        k = kv.rawString();
    }
    if (!before.isMissing() && !after.isMissing()) vbRaise(err::InvalidCall);
    size_t position = entries_.size();
    if (!before.isMissing())
        position = positionOf(before);
    else if (!after.isMissing())
        position = positionOf(after) + 1;
    insert(position, item, k);
}

void Collection::insert(size_t position, const Variant& item, const std::optional<QString>& key) {
    auto entry = std::make_shared<Entry>(Entry{item, key});
    if (key) {
        const QString folded = UCase(*key);
        if (byKey_.contains(folded)) vbRaise(err::DuplicateKey);
        byKey_.insert(folded, entry);
    }
    entries_.insert(entries_.begin() + std::ptrdiff_t(position), std::move(entry));
}

size_t Collection::positionOf(int index) const {
    if (index < 1 || index > count()) vbRaise(err::SubscriptOutOfRange);
    return size_t(index - 1);
}

size_t Collection::positionOf(const QString& key) const {
    const auto it = byKey_.constFind(UCase(key));
    if (it == byKey_.constEnd()) vbRaise(err::InvalidCall);
    const auto pos = std::find(entries_.begin(), entries_.end(), it.value());
    return size_t(pos - entries_.begin());
}

size_t Collection::positionOf(const Variant& indexOrKey) const {
    const Variant v = dereference(indexOrKey);
    if (v.isString()) return positionOf(v.rawString());
    if (v.isNumber() || v.isBoolean() || v.isDate() || v.isEmpty()) return positionOf(int(CLng(v)));
    vbRaise(err::TypeMismatch);
}

Variant Collection::item(int index) const {
    return entries_[positionOf(index)]->item;
}

Variant Collection::item(const QString& key) const {
    const auto it = byKey_.constFind(UCase(key));
    if (it == byKey_.constEnd()) vbRaise(err::InvalidCall);
    return it.value()->item;
}

Variant Collection::item(const Variant& indexOrKey) const {
    return entries_[positionOf(indexOrKey)]->item;
}

bool Collection::contains(const QString& key) const {
    return byKey_.contains(UCase(key));
}

QString Collection::keyAt(int index) const {
    return entries_[positionOf(index)]->key.value_or(QString());
}

void Collection::remove(int index) {
    const size_t pos = positionOf(index);
    if (entries_[pos]->key) byKey_.remove(UCase(*entries_[pos]->key));
    entries_.erase(entries_.begin() + std::ptrdiff_t(pos));
}

void Collection::remove(const QString& key) {
    remove(int(positionOf(key)) + 1);
}

void Collection::remove(const Variant& indexOrKey) {
    remove(int(positionOf(indexOrKey)) + 1);
}

void Collection::clear() {
    entries_.clear();
    byKey_.clear();
}

std::unique_ptr<Enumerator> Collection::enumerate() {
    std::vector<Variant> items;
    items.reserve(entries_.size());
    for (const EntryPtr& e : entries_)
        items.push_back(e->item);
    return std::make_unique<ListEnumerator>(std::move(items));
}

} // namespace zv
