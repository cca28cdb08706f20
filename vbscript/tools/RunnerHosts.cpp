#include "RunnerHosts.h"

#include "Convert.h"

namespace zv::vbsrun {

namespace {

class TestHost : public SimpleDispatch {
public:
    TestHost() : SimpleDispatch(QStringLiteral("TestHost")) {
        addProperty(
            QStringLiteral("Prop"),
            [this](Args a) {
                checkArgCount(a, 0, 0);
                return prop_;
            },
            [this](Args a) {
                checkArgCount(a, 1, 1);
                prop_ = *a.back();
            });
        setDefaultMember(QStringLiteral("Prop"));
        addMethod(QStringLiteral("Swap"), [](Args a) {
            checkArgCount(a, 2, 2);
            a[0]->swap(*a[1]);
            return Variant();
        });
        addMethod(QStringLiteral("SetOut"), [](Args a) {
            checkArgCount(a, 1, 1);
            *a[0] = Variant(QStringLiteral("set by host"));
            return Variant();
        });
        addMethod(QStringLiteral("Raise"), [](Args a) -> Variant {
            checkArgCount(a, 2, 2);
            throw VbError(CLng(*a[0]), toText(*a[1]));
        });
        addMethod(QStringLiteral("Echo"), [](Args a) {
            checkArgCount(a, 1, 1);
            return *a[0];
        });
        addMethod(QStringLiteral("Opt"), [](Args a) {
            checkArgCount(a, 0, 1);
            if (a.empty() || a[0]->isMissing()) return Variant(QStringLiteral("missing"));
            return Variant(QStringLiteral("given:") + valueText(*a[0]));
        });
        addMethod(QStringLiteral("Self"), [this](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(shared_from_this());
        });
    }

    std::unique_ptr<Enumerator> enumerate() override {
        struct Letters : Enumerator {
            int next_ = 0;
            bool next(Variant& out) override {
                static const char* items[] = {"a", "b", "c"};
                if (next_ >= 3) return false;
                out = Variant(QString::fromLatin1(items[next_++]));
                return true;
            }
        };
        return std::make_unique<Letters>();
    }

private:
    Variant prop_ = Variant(int16_t(0));
};

} // namespace

QString valueText(const Variant& v) {
    if (v.isArray()) return QStringLiteral("[array]");
    switch (v.varType()) {
    case vbEmpty:
        return QString();
    case vbNull:
        return QStringLiteral("Null");
    case vbObject: {
        const DispatchPtr& o = v.rawObject();
        if (!o) return QStringLiteral("Nothing");
        if (o->memberId(QString()) != kDispIdUnknown) {
            try {
                return valueText(o->defaultValue());
            } catch (const VbError&) {
            }
        }
        return QStringLiteral("[object %1]").arg(o->typeName());
    }
    default:
        return toText(v);
    }
}

QString typeNameText(const Variant& v) {
    if (v.isArray()) return QStringLiteral("Array");
    if (v.isObject()) return v.rawObject() ? QStringLiteral("Object") : QStringLiteral("Nothing");
    return TypeName(v);
}

DispatchPtr makeOutputHost(std::function<void(const QString&)> sink) {
    auto out = std::make_shared<SimpleDispatch>(QStringLiteral("OutputHost"));
    out->addMethod(QStringLiteral("Print"), [sink](Args a) {
        checkArgCount(a, 1, 1);
        sink(valueText(*a[0]));
        return Variant();
    });
    return out;
}

DispatchPtr makeTestHost() {
    return std::make_shared<TestHost>();
}

} // namespace zv::vbsrun
