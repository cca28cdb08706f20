#pragma once
// An object of a script class: its fields and the class that gives its members. From outside
// (other objects, the host) it is a Dispatch that shows the Public members only, under the
// class's name; the class's own methods reach every member directly (see RefKind::Member).
//
// Class_Terminate runs when the last reference goes. Dropping a value can happen anywhere
// inside the evaluator, so the object is not terminated on the spot: it is brought back to
// life and queued, and the interpreter runs the queue at the next safe point (the end of a
// statement, the return of a call, the end of a host call). An object of an engine that is
// gone, or that the engine discards while it shuts down, goes without Class_Terminate.

#include "Ast.h"
#include "Dispatch.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace zv::vbs {

class Interpreter;
class ClassInstance;

// The interpreter as its objects see it (null once the interpreter is gone), and the objects
// alive, so that the interpreter can break their reference cycles when it goes.
struct EngineLink {
    Interpreter* in = nullptr;
    std::unordered_set<ClassInstance*> live;
};

class ClassInstance : public Dispatch {
public:
    // A new object with its fields set up (Empty, or arrays as declared); Class_Initialize is
    // the interpreter's business (Interpreter::newInstance).
    static std::shared_ptr<ClassInstance> create(ClassPtr cls, std::shared_ptr<EngineLink> link);

    QString typeName() const override { return cls_->name; }
    DispId memberId(const QString& name) const override;
    Variant invoke(DispId id, Invoke kind, Args args) override;

    const ClassDecl& cls() const { return *cls_; }
    Variant& field(int i) { return fields_[size_t(i)]; }
    // Set once Class_Initialize has run without error: only such objects are terminated.
    void markInitialized() { initialized_ = true; }
    // Moves the fields' values out (the engine ends: objects that refer to each other are
    // freed once nothing holds them).
    void takeFields(std::vector<Variant>& out);
    ~ClassInstance() override;

private:
    ClassInstance(ClassPtr cls, std::shared_ptr<EngineLink> link);
    struct Release {
        void operator()(ClassInstance* p) const { p->released(); }
    };
    void released();
    Variant fieldAccess(int index, Invoke kind, Args args);

    ClassPtr cls_;
    std::shared_ptr<EngineLink> link_;
    std::vector<Variant> fields_;
    bool initialized_ = false;
    bool terminated_ = false;
};

} // namespace zv::vbs
