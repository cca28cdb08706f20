#pragma once
// The host objects of the conformance tool: Out (prints values) and Tst (by-reference
// arguments, host errors, optional arguments, a default property, enumeration), and the text
// and type-name forms of values that the tool prints.

#include "Dispatch.h"

#include <QString>
#include <functional>

namespace zv::vbsrun {

// T(v): the printed text of a value.
QString valueText(const Variant& v);
// TN(v): the printed type name of a value.
QString typeNameText(const Variant& v);

// Out: Print(v) hands the text of v to the sink.
DispatchPtr makeOutputHost(std::function<void(const QString&)> sink);
// Tst: the test host object.
DispatchPtr makeTestHost();

} // namespace zv::vbsrun
