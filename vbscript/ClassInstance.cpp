#include "ClassInstance.h"

#include "Convert.h"
#include "Interpreter.h"
#include "Lexer.h"

namespace zv::vbs {

namespace {

[[noreturn]] void noSuchMember(const QString& name) {
    throw err::NoSuchMember(name);
}

std::vector<int32_t> indexes(Args args, size_t count) {
    std::vector<int32_t> idx;
    idx.reserve(count);
    for (size_t i = 0; i < count; ++i)
        idx.push_back(CLng(*args[i]));
    return idx;
}

} // namespace

ClassInstance::ClassInstance(ClassPtr cls, std::shared_ptr<EngineLink> link)
    : cls_(std::move(cls)), link_(std::move(link)) {
    link_->live.insert(this);
}

ClassInstance::~ClassInstance() {
    link_->live.erase(this);
}

void ClassInstance::takeFields(std::vector<Variant>& out) {
    for (Variant& f : fields_) {
        if (f.isObject() || f.isArray()) out.push_back(std::move(f));
        f.clear();
    }
}

std::shared_ptr<ClassInstance> ClassInstance::create(ClassPtr cls,
                                                     std::shared_ptr<EngineLink> link) {
    std::shared_ptr<ClassInstance> obj(new ClassInstance(std::move(cls), std::move(link)),
                                       Release{});
    const ClassDecl& c = *obj->cls_;
    obj->fields_.resize(c.fields.size());
    for (size_t i = 0; i < c.fields.size(); ++i) {
        const ClassField& f = c.fields[i];
        if (f.kind == DeclKind::FixedArray) {
            Variant a = Variant::array(f.bounds);
            a.arrayMut().fixedSize = true;
            obj->fields_[i] = std::move(a);
        } else if (f.kind == DeclKind::DynamicArray) {
            obj->fields_[i] = Variant::array(std::span<const std::pair<int32_t, int32_t>>());
        }
    }
    return obj;
}

// The last reference went (the deleter of every shared pointer to the object).
void ClassInstance::released() {
    Interpreter* in = link_->in;
    if (terminated_ || !initialized_ || !cls_->terminate || !in || in->discarding()) {
        delete this;
        return;
    }
    terminated_ = true;
    try {
        in->queueTerminate(std::shared_ptr<ClassInstance>(this, Release{}));
    } catch (...) {
        // Nothing may leave a deleter; an object that cannot be queued is simply freed.
    }
}

DispId ClassInstance::memberId(const QString& name) const {
    if (name.isEmpty()) return cls_->defaultMember >= 0 ? kDispIdValue : kDispIdUnknown;
    auto it = cls_->memberIndex.constFind(foldName(name));
    if (it == cls_->memberIndex.constEnd()) return kDispIdUnknown;
    const ClassMember& m = cls_->members[size_t(it.value())];
    bool visible = m.isPublic;
    if (m.kind == MemberKind::Property)
        visible =
            (m.get && m.get->isPublic) || (m.let && m.let->isPublic) || (m.set && m.set->isPublic);
    return visible ? DispId(it.value() + 1) : kDispIdUnknown;
}

Variant ClassInstance::invoke(DispId id, Invoke kind, Args args) {
    int index = id == kDispIdValue ? cls_->defaultMember : id - 1;
    if (index < 0 || index >= int(cls_->members.size())) throw VbError(err::NoSuchMember);
    const ClassMember& m = cls_->members[size_t(index)];
    if (m.kind == MemberKind::Field) {
        if (!m.isPublic) noSuchMember(m.name);
        return fieldAccess(m.field, kind, args);
    }
    Interpreter* in = link_->in;
    if (!in) throw VbError(err::ObjectNotSet);
    ProcedurePtr proc;
    bool put = kind == Invoke::Put || kind == Invoke::PutRef;
    if (m.kind == MemberKind::Method)
        proc = put ? nullptr : m.method;
    else if (kind == Invoke::Put)
        proc = m.let;
    else if (kind == Invoke::PutRef)
        proc = m.set;
    else
        proc = m.get;
    if (!proc || !proc->isPublic) noSuchMember(m.name);
    // The object stays alive while its method runs, whatever the method does with its
    // references.
    DispatchPtr hold = shared_from_this();
    return in->callMethod(proc, this, args);
}

// A public field: read (an element of an array field, or the default member of an object in
// it, when arguments are given) or assigned.
Variant ClassInstance::fieldAccess(int index, Invoke kind, Args args) {
    Variant& f = fields_[size_t(index)];
    if (kind == Invoke::Get || kind == Invoke::Method) {
        if (args.empty()) return f;
        if (f.isArray()) return f.array().at(indexes(args, args.size()));
        if (f.isObject()) {
            if (!f.rawObject()) throw VbError(err::ObjectNotSet);
            DispatchPtr obj = f.rawObject();
            return obj->invoke(kDispIdValue, kind, args);
        }
        throw VbError(err::TypeMismatch);
    }
    Variant value = *args.back();
    if (kind == Invoke::PutRef && !value.isObject()) throw VbError(err::ObjectRequired);
    size_t count = args.size() - 1;
    if (count == 0) {
        if (f.isArray() && f.array().locks > 0) throw VbError(err::ArrayFixed);
        f = std::move(value);
        return {};
    }
    if (f.isArray()) {
        f.arrayMut().at(indexes(args, count)) = std::move(value);
        return {};
    }
    if (f.isObject() && f.rawObject()) {
        DispatchPtr obj = f.rawObject();
        return obj->invoke(kDispIdValue, kind, args);
    }
    throw VbError(err::TypeMismatch);
}

} // namespace zv::vbs
