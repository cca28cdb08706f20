#pragma once
// The language's Collection: an ordered list of values, each optionally under a text key.
// Positions are 1-based; keys compare case-blind (Windows-1252 rules). Scripts reach it through
// Dispatch (Add, Item as the default member, Count, Remove, For Each); host code uses the C++
// members directly.
//
// Errors: 457 for a key already present, 5 for a key not present (and for Add given both
// before and after), 9 for a position outside 1..Count, 13 for a key that is no text or an
// index that is neither a number nor a text.

#include "Dispatch.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

class Collection : public BoundDispatch {
public:
    Collection();
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    static std::shared_ptr<Collection> create() { return std::make_shared<Collection>(); }

    int count() const { return int(entries_.size()); }

    // Appends item, under key when one is given.
    void add(const Variant& item, const std::optional<QString>& key = std::nullopt);
    // The language's Add: key, before and after may be missing (Variant::missing()); before and
    // after name a position or a key.
    void add(const Variant& item, const Variant& key, const Variant& before, const Variant& after);

    // By position (1-based) or key.
    Variant item(int index) const;
    Variant item(const QString& key) const;
    // A text names a key, a number a position (rounded as the language's conversions do).
    Variant item(const Variant& indexOrKey) const;
    bool contains(const QString& key) const;
    // The key of a position ("" for an item added without one).
    QString keyAt(int index) const;

    void remove(int index);
    void remove(const QString& key);
    void remove(const Variant& indexOrKey);
    void clear();

    // For Each walks a snapshot: changes made during the walk do not disturb it.
    std::unique_ptr<Enumerator> enumerate() override;

private:
    struct Entry {
        Variant item;
        std::optional<QString> key;
    };
    using EntryPtr = std::shared_ptr<Entry>;

    // 0-based position from a 1-based index (9 outside), a key (5 when missing) or a Variant.
    size_t positionOf(int index) const;
    size_t positionOf(const QString& key) const;
    size_t positionOf(const Variant& indexOrKey) const;
    void insert(size_t position, const Variant& item, const std::optional<QString>& key);
    static const MemberTable& memberTable();

    std::vector<EntryPtr> entries_;
    QHash<QString, EntryPtr> byKey_; // by upper-cased key
};

} // namespace zv
