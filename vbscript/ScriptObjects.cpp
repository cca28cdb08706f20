#include "ScriptObjects.h"

#include "Convert.h"
#include "EngineState.h"

namespace zv::vbs {

namespace {

std::shared_ptr<EngineState> lock(const std::weak_ptr<EngineState>& weak) {
    auto s = weak.lock();
    if (!s) throw VbError(err::ObjectNotSet);
    return s;
}

// One procedure as the collection gave it.
DispatchPtr procedureObject(const ProcedureInfo& info) {
    auto p = std::make_shared<SimpleDispatch>(QStringLiteral("Procedure"));
    p->addProperty(QStringLiteral("Name"), [info](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(info.name);
    });
    p->addProperty(QStringLiteral("NumArgs"), [info](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(int32_t(info.numArgs));
    });
    p->addProperty(QStringLiteral("HasReturnValue"), [info](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(info.hasReturnValue);
    });
    p->setDefaultMember(QStringLiteral("Name"));
    return p;
}

class ProceduresObject : public SimpleDispatch {
public:
    explicit ProceduresObject(std::weak_ptr<EngineState> state)
        : SimpleDispatch(QStringLiteral("Procedures")), state_(std::move(state)) {
        addProperty(QStringLiteral("Count"), [this](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(int32_t(lock(state_)->procedureList().size()));
        });
        addMethod(QStringLiteral("Item"), [this](Args a) {
            checkArgCount(a, 1, 1);
            auto s = lock(state_);
            const Variant& key = *a[0];
            if (key.isString()) return procedureObject(s->procedureInfo(key.rawString()));
            std::vector<ProcedureInfo> list = s->procedureList();
            int32_t index = CLng(key);
            if (index < 1 || size_t(index) > list.size()) throw VbError(err::ElementNotFound);
            return procedureObject(list[size_t(index) - 1]);
        });
        setDefaultMember(QStringLiteral("Item"));
    }

    std::unique_ptr<Enumerator> enumerate() override {
        struct Items : Enumerator {
            std::vector<ProcedureInfo> list;
            size_t next_ = 0;
            bool next(Variant& out) override {
                if (next_ >= list.size()) return false;
                out = Variant(procedureObject(list[next_++]));
                return true;
            }
        };
        auto items = std::make_unique<Items>();
        items->list = lock(state_)->procedureList();
        return items;
    }

private:
    std::weak_ptr<EngineState> state_;
};

} // namespace

DispatchPtr makeProceduresObject(const std::shared_ptr<EngineState>& state) {
    return std::make_shared<ProceduresObject>(state);
}

DispatchPtr makeErrorObject(const std::shared_ptr<EngineState>& state) {
    auto e = std::make_shared<SimpleDispatch>(QStringLiteral("Error"));
    std::weak_ptr<EngineState> weak = state;
    auto field = [e, weak](const char* name, Variant (*read)(const ScriptErrorInfo&)) {
        e->addProperty(QString::fromLatin1(name), [weak, read](Args a) {
            checkArgCount(a, 0, 0);
            return read(lock(weak)->error);
        });
    };
    field("Number", [](const ScriptErrorInfo& i) { return Variant(int32_t(i.number)); });
    field("Description", [](const ScriptErrorInfo& i) { return Variant(i.description); });
    field("Source", [](const ScriptErrorInfo& i) { return Variant(i.source); });
    field("Line", [](const ScriptErrorInfo& i) { return Variant(int32_t(i.line)); });
    field("Column", [](const ScriptErrorInfo& i) { return Variant(int32_t(i.column)); });
    field("Text", [](const ScriptErrorInfo& i) { return Variant(i.text); });
    e->addMethod(QStringLiteral("Clear"), [weak](Args a) {
        checkArgCount(a, 0, 0);
        lock(weak)->error = ScriptErrorInfo{};
        return Variant();
    });
    e->setDefaultMember(QStringLiteral("Number"));
    return e;
}

} // namespace zv::vbs
