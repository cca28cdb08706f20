// The table of error numbers and texts, its named constructors, and the trap helper.
#include "VbError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>

using namespace zv;

TEST(ErrorTable, StandardTextsByNumber) {
    EXPECT_EQ(VbError(53).description(), "File not found");
    EXPECT_EQ(VbError(9).description(), "Subscript out of range");
    EXPECT_EQ(VbError(438).description(), "Object doesn't support this property or method");
    EXPECT_EQ(VbError(457).description(),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(VbError(32811).description(), "Element not found");
    EXPECT_EQ(VbError(9999).description(), "Application-defined or object-defined error");
    EXPECT_EQ(VbError(5, "custom").description(), "custom");
    EXPECT_EQ(QString::fromStdString(VbError(61).what()), "61: Disk full");
    // The forms layer's numbers have their texts too.
    EXPECT_EQ(VbError(364).description(), "Object was unloaded");
    EXPECT_EQ(VbError(343).description(), "Object not an array");
}

TEST(ErrorTable, NamedConstructorsBuildNumberTextAndName) {
    const VbError plain = err::TypeMismatch();
    EXPECT_EQ(plain.number(), 13);
    EXPECT_EQ(plain.description(), "Type mismatch");
    const VbError named = err::NoSuchMember(QStringLiteral("Frob"));
    EXPECT_EQ(named.number(), 438);
    EXPECT_EQ(named.description(), "Object doesn't support this property or method: 'Frob'");
    EXPECT_EQ(err::VariableUndefined(QStringLiteral("x")).description(),
              "Variable is undefined: 'x'");
    // A name given empty is still shown, as an empty quote.
    EXPECT_EQ(err::CannotCreateObject(QString()).description(),
              "ActiveX component can't create object: ''");
    // A text with a place for the name takes it there, not after the text.
    const VbError element = err::NoSuchControlElement(QStringLiteral("7"));
    EXPECT_EQ(element.number(), 340);
    EXPECT_EQ(element.description(), "Control array element '7' doesn't exist");
    const VbError inUse = err::NameInUse(QStringLiteral("lbl%1"));
    EXPECT_EQ(inUse.number(), 5);
    EXPECT_EQ(inUse.description(), "The name 'lbl%1' is in use");
    EXPECT_EQ(err::ObjectUnloaded().description(), "Object was unloaded");
    EXPECT_EQ(err::NoSourceFiles().number(), int(0x800403E8u));
    EXPECT_EQ(err::NoSourceFiles().description(), "No source files specified file operation");
    // The names are the numbers.
    static_assert(err::DiskFull == 61 && err::ObjectUnloaded == 364);
    static_assert(cerr::ExpectedEnd == 1014);
}

TEST(ErrorTable, KindsKeepTheirOwnTexts) {
    // A second text of a number (the forms layer's own for 5) leaves the standard one alone.
    EXPECT_EQ(vbErrorText(5), "Invalid procedure call or argument");
    // Compile errors are no run-time errors, and run-time numbers are no compile errors.
    EXPECT_EQ(compileErrorText(cerr::ExpectedEnd), "Expected 'End'");
    EXPECT_EQ(compileErrorText(cerr::OutOfMemory), "Out of memory");
    EXPECT_EQ(compileErrorText(7), "");
    EXPECT_EQ(vbErrorText(1002), "Application-defined or object-defined error");
    // Err.Raise knows the language's run-time errors only.
    EXPECT_EQ(raisedErrorText(53), "File not found");
    EXPECT_EQ(raisedErrorText(364), "Unknown runtime error");
    EXPECT_EQ(raisedErrorText(1002), "Unknown runtime error");
}

TEST(ErrorTable, ErrnoMapsToNumbers) {
    EXPECT_EQ(vbErrorFromErrno(ENOENT), err::FileNotFound);
    EXPECT_EQ(vbErrorFromErrno(ENOENT, true), err::PathNotFound);
    EXPECT_EQ(vbErrorFromErrno(EACCES), err::PermissionDenied);
    EXPECT_EQ(vbErrorFromErrno(EEXIST), err::FileAlreadyExists);
    EXPECT_EQ(vbErrorFromErrno(ENOSPC), err::DiskFull);
    EXPECT_EQ(vbErrorFromErrno(EXDEV, false, true), err::RenameOtherDrive);
    EXPECT_EQ(vbErrorFromErrno(ENOTEMPTY), err::PathFileAccess);
}

TEST(Trap, KeepsTheNumberOfARunTimeErrorAndGoesOn) {
    int after = 0;
    const auto e = vbTrap([] { throw err::DiskFull(); });
    ++after;
    ASSERT_TRUE(e);
    EXPECT_EQ(e.number(), 61);
    EXPECT_EQ(e->description(), "Disk full");
    EXPECT_EQ(after, 1);
    const auto raised = vbTrap([] { vbRaise(err::PathNotFound, QStringLiteral("own text")); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number(), 76);
    EXPECT_EQ(raised->description(), "own text");
}

TEST(Trap, AStepThatRunsThroughGivesNothing) {
    int ran = 0;
    const auto e = vbTrap([&] { ++ran; });
    EXPECT_FALSE(e);
    EXPECT_EQ(e.number(), 0);
    EXPECT_EQ(ran, 1);
}

TEST(Trap, LetsTheProgramsEndThrough) {
    try {
        vbTrap([] { throw ProgramEnd(3); });
        FAIL() << "the end of the program was swallowed";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode(), 3);
    }
}

TEST(Trap, DoesNotSwallowOtherExceptions) {
    EXPECT_THROW(vbTrap([] { throw std::runtime_error("fault"); }), std::runtime_error);
    EXPECT_THROW(vbTrap([] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_THROW(vbTrap([] { throw 42; }), int);
}
