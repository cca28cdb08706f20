#pragma once
// The Script Control's CodeObject: the script's globals as properties (get and put of existing
// variables and constants) and its procedures as methods. Names are looked up at every call, so
// the object stays valid across Reset; an unknown name is 438, and put never creates a global.

#include "Dispatch.h"

#include <memory>
#include <vector>

namespace zv::vbs {

struct EngineState;

class CodeObject : public Dispatch {
public:
    explicit CodeObject(std::weak_ptr<EngineState> state);

    QString typeName() const override { return QStringLiteral("Object"); }
    DispId memberId(const QString& name) const override;
    Variant invoke(DispId id, Invoke kind, Args args) override;

private:
    std::shared_ptr<EngineState> lockState() const;
    std::weak_ptr<EngineState> state_;
    mutable std::vector<QString> names_; // DispId - 1 -> name
};

} // namespace zv::vbs
