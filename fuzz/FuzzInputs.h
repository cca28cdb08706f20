#pragma once
// What the fuzz targets do with one input, apart from libFuzzer, so that the test suite can
// run the inputs the fuzzers found (tests/data/fuzz/) through exactly the same code. Each
// function reads the bytes the way the program reads such a file and must return normally
// whatever they hold: the errors the readers report are part of the run, a crash or a
// sanitizer report is a fault.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace zv::fuzz {

// The limits of a fuzz run of scripts: the statements one run may take (so that a loop in
// the input ends) and the largest string or array (so that no input takes all the memory).
constexpr uint64_t kScriptSteps = 10000;
constexpr int64_t kValueBytes = 64 << 10;

// A parameter file: walked zone by zone, every entry and option read as text and as a number.
void readParameterFile(const QByteArray& bytes);
// A script compiled as a program and as an expression (AddCode and Eval), without running it.
void parseScript(const QByteArray& bytes);
// A script run by a fresh engine with the step and size limits above.
void runScript(const QByteArray& bytes);
// A rich-text file read into paragraphs.
void readRtf(const QByteArray& bytes);

} // namespace zv::fuzz
