#pragma once
// The Script Control's Procedures collection and Error object as late-bound objects. Both look
// at the engine whenever they are used, so they stay valid (and current) across reset; once
// the engine is gone, their members raise 91.

#include "Dispatch.h"

#include <memory>

namespace zv::vbs {

struct EngineState;

// Count; Item(name or index from 1), the default member (32811 for a name or an index that
// is not there); For Each over the procedures in definition order. Each item has Name,
// NumArgs and HasReturnValue.
DispatchPtr makeProceduresObject(const std::shared_ptr<EngineState>& state);

// Number (the default member), Description, Source, Line, Column, Text; Clear.
DispatchPtr makeErrorObject(const std::shared_ptr<EngineState>& state);

} // namespace zv::vbs
