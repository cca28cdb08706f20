#include "RegExp.h"

#include "Binder.h"
#include "Convert.h"
#include "Lexer.h"
#include "ValueLimit.h"

#include <vector>

namespace zv::vbs {

namespace {

constexpr int kRegExpSyntax = 5017;

// The expressions run on QRegularExpression (PCRE2): its matcher has limits on backtracking and
// does not recurse on the native stack as the text grows, so no pattern or text can bring the
// host down; std::regex has neither guard.
//
// The script's pattern in the library's syntax. They differ where a "$" outside a class is the
// end of the whole text only (unless MultiLine), and in \uXXXX.
QString libraryPattern(const QString& p, bool multiLine) {
    QString out;
    out.reserve(p.size() + 8);
    bool inClass = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        QChar c = p[i];
        if (c == u'\\' && i + 1 < p.size()) {
            QChar n = p[i + 1];
            if (n == u'u' && i + 5 < p.size()) {
                bool ok = false;
                uint code = p.mid(i + 2, 4).toUInt(&ok, 16);
                if (ok) {
                    out += QStringLiteral("\\x{%1}").arg(code, 0, 16);
                    i += 5;
                    continue;
                }
            }
            out += c;
            out += n;
            ++i;
            continue;
        }
        if (inClass) {
            if (c == u']') inClass = false;
        } else if (c == u'[') {
            inClass = true;
        } else if (c == u'$' && !multiLine) {
            out += QStringLiteral("\\z");
            continue;
        }
        out += c;
    }
    return out;
}

class SubMatches : public BoundDispatch {
public:
    explicit SubMatches(std::vector<Variant> groups)
        : BoundDispatch(memberTable()), groups_(std::move(groups)) {}

    int32_t count() const { return int32_t(groups_.size()); }
    Variant item(int32_t i) const {
        if (i < 0 || i >= count()) throw VbError(err::InvalidCall);
        return groups_[size_t(i)];
    }
    std::unique_ptr<Enumerator> enumerate() override { return listEnumerator(groups_); }

    static std::unique_ptr<Enumerator> listEnumerator(std::vector<Variant> items) {
        struct List : Enumerator {
            std::vector<Variant> items;
            size_t pos = 0;
            bool next(Variant& out) override {
                if (pos >= items.size()) return false;
                out = items[pos++];
                return true;
            }
        };
        auto e = std::make_unique<List>();
        e->items = std::move(items);
        return e;
    }

private:
    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("ISubMatches"));
            Members<SubMatches>(t)
                .property<int32_t>(QStringLiteral("Count"), &SubMatches::count)
                .method(QStringLiteral("Item"), &SubMatches::item)
                .defaultMember(QStringLiteral("Item"));
            return t;
        }();
        return table;
    }

    std::vector<Variant> groups_;
};

class Match : public BoundDispatch {
public:
    Match(QString value, int32_t firstIndex, std::vector<Variant> groups)
        : BoundDispatch(memberTable()), value_(std::move(value)), firstIndex_(firstIndex),
          subMatches_(std::make_shared<SubMatches>(std::move(groups))) {}

private:
    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("IMatch2"));
            Members<Match>(t)
                .property<QString>(QStringLiteral("Value"), [](Match& m) { return m.value_; })
                .property<int32_t>(QStringLiteral("FirstIndex"),
                                   [](Match& m) { return m.firstIndex_; })
                .property<int32_t>(QStringLiteral("Length"),
                                   [](Match& m) { return int32_t(m.value_.size()); })
                // SubMatches(i) reads one group directly.
                .propertyWithArgs(QStringLiteral("SubMatches"),
                                  [](Match& m, Args a) -> Variant {
                                      checkArgCount(a, 0, 1);
                                      if (a.empty()) return Variant(DispatchPtr(m.subMatches_));
                                      return m.subMatches_->item(CLng(*a[0]));
                                  })
                .defaultMember(QStringLiteral("Value"));
            return t;
        }();
        return table;
    }

    QString value_;
    int32_t firstIndex_;
    std::shared_ptr<SubMatches> subMatches_;
};

class MatchCollection : public BoundDispatch {
public:
    explicit MatchCollection(std::vector<Variant> matches)
        : BoundDispatch(memberTable()), matches_(std::move(matches)) {}

    int32_t count() const { return int32_t(matches_.size()); }
    Variant item(int32_t i) const {
        if (i < 0 || i >= count()) throw VbError(err::InvalidCall);
        return matches_[size_t(i)];
    }
    std::unique_ptr<Enumerator> enumerate() override {
        return SubMatches::listEnumerator(matches_);
    }

private:
    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("IMatchCollection2"));
            Members<MatchCollection>(t)
                .property<int32_t>(QStringLiteral("Count"), &MatchCollection::count)
                .method(QStringLiteral("Item"), &MatchCollection::item)
                .defaultMember(QStringLiteral("Item"));
            return t;
        }();
        return table;
    }

    std::vector<Variant> matches_;
};

// The text a script passes to Test, Execute and Replace (Null: 94).
QString subjectText(const Variant& v) {
    return CStr(v);
}

// The replacement text: a Boolean stands for its number, as the object's arguments convert.
QString replacementText(const Variant& v) {
    Variant d = dereference(v);
    if (d.isBoolean()) return d.rawBoolean() ? QStringLiteral("-1") : QStringLiteral("0");
    return CStr(d);
}

// with, its $ forms replaced by what they stand for in this match of text.
void appendExpansion(QString& out, const QString& with, const QRegularExpressionMatch& m,
                     const QString& text) {
    const int groups = m.regularExpression().captureCount();
    for (qsizetype i = 0; i < with.size(); ++i) {
        QChar c = with[i];
        if (c != u'$' || i + 1 >= with.size()) {
            out += c;
            continue;
        }
        QChar n = with[i + 1];
        if (n == u'$') {
            out += u'$';
            ++i;
        } else if (n == u'&') {
            out += m.captured(0);
            ++i;
        } else if (n == u'`') {
            out += text.left(m.capturedStart(0));
            ++i;
        } else if (n == u'\'') {
            out += text.mid(m.capturedEnd(0));
            ++i;
        } else if (n.isDigit() && n.unicode() < 128) {
            int one = n.unicode() - u'0';
            int two = -1;
            if (i + 2 < with.size() && with[i + 2].unicode() >= u'0' &&
                with[i + 2].unicode() <= u'9')
                two = one * 10 + (with[i + 2].unicode() - u'0');
            if (two >= 1 && two <= groups) {
                out += m.captured(two);
                i += 2;
            } else if (one >= 1 && one <= groups) {
                out += m.captured(one);
                ++i;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
}

} // namespace

RegExp::RegExp() : BoundDispatch(memberTable()) {}

bool RegExp::isProgId(const QString& progId) {
    return foldName(progId) == QLatin1String("VBSCRIPT.REGEXP");
}

const MemberTable& RegExp::memberTable() {
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("IRegExp2"));
        Members<RegExp>(t)
            .property<QString>(QStringLiteral("Pattern"), &RegExp::pattern, &RegExp::setPattern)
            .property<bool>(QStringLiteral("IgnoreCase"), &RegExp::ignoreCase,
                            &RegExp::setIgnoreCase)
            .property<bool>(QStringLiteral("Global"), &RegExp::global, &RegExp::setGlobal)
            .property<bool>(QStringLiteral("MultiLine"), &RegExp::multiLine, &RegExp::setMultiLine)
            .method(QStringLiteral("Test"),
                    [](RegExp& r, const Variant& text) { return r.test(subjectText(text)); })
            .method(QStringLiteral("Execute"),
                    [](RegExp& r, const Variant& text) { return r.execute(subjectText(text)); })
            .method(QStringLiteral("Replace"),
                    [](RegExp& r, const Variant& text, const Variant& with) {
                        return r.replace(subjectText(text), replacementText(with));
                    });
        return t;
    }();
    return table;
}

void RegExp::setPattern(const QString& p) {
    pattern_ = p;
    stale_ = true;
}

void RegExp::setIgnoreCase(bool on) {
    ignoreCase_ = on;
    stale_ = true;
}

void RegExp::setMultiLine(bool on) {
    multiLine_ = on;
    stale_ = true;
}

const QRegularExpression& RegExp::compiled() const {
    if (stale_) {
        QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
        if (ignoreCase_) options |= QRegularExpression::CaseInsensitiveOption;
        if (multiLine_) options |= QRegularExpression::MultilineOption;
        re_ = QRegularExpression(libraryPattern(pattern_, multiLine_), options);
        stale_ = false;
    }
    if (!re_.isValid())
        throw VbError(kRegExpSyntax, QStringLiteral("Syntax error in regular expression"));
    return re_;
}

QRegularExpressionMatch RegExp::matchFrom(const QString& text, qsizetype from) const {
    return compiled().match(text, from);
}

bool RegExp::test(const QString& text) const {
    return matchFrom(text, 0).hasMatch();
}

DispatchPtr RegExp::execute(const QString& text) const {
    std::vector<Variant> matches;
    qsizetype from = 0;
    while (from <= text.size()) {
        QRegularExpressionMatch m = matchFrom(text, from);
        if (!m.hasMatch()) break;
        std::vector<Variant> groups;
        for (int g = 1; g <= compiled().captureCount(); ++g)
            groups.push_back(m.capturedStart(g) < 0 ? Variant() : Variant(m.captured(g)));
        matches.push_back(Variant(DispatchPtr(std::make_shared<Match>(
            m.captured(0), int32_t(m.capturedStart(0)), std::move(groups)))));
        if (!global_) break;
        from = m.capturedEnd(0) + (m.capturedLength(0) == 0 ? 1 : 0);
    }
    return std::make_shared<MatchCollection>(std::move(matches));
}

QString RegExp::replace(const QString& text, const QString& with) const {
    QString out;
    qsizetype from = 0, kept = 0;
    while (from <= text.size()) {
        QRegularExpressionMatch m = matchFrom(text, from);
        if (!m.hasMatch()) break;
        out += QStringView(text).mid(kept, m.capturedStart(0) - kept);
        appendExpansion(out, with, m, text);
        checkTextLength(out.size());
        kept = m.capturedEnd(0);
        if (!global_) break;
        from = m.capturedEnd(0) + (m.capturedLength(0) == 0 ? 1 : 0);
    }
    checkTextLength(int64_t(out.size()) + (text.size() - kept));
    out += QStringView(text).mid(kept);
    return out;
}

} // namespace zv::vbs
