#pragma once
// Runs one conformance program: a fresh engine with Out and Tst, the file's text as one
// AddCode, then every "'@" directive line in file order; returns what is printed (LF lines).

#include <QString>

namespace zv::vbsrun {

QString runProgram(const QString& text);

} // namespace zv::vbsrun
