// The lexer: literal values and subtypes, names, comments, line continuation and positions.

#include "Lexer.h"
#include "SyntaxError.h"
#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace zv::vbs;
using vbstest::CompileErrorCase;

namespace {

std::vector<Token> lex(const char* text) {
    return Lexer(QString::fromUtf8(text)).tokenize();
}

int lexError(const char* text, int* line = nullptr, int* column = nullptr) {
    try {
        lex(text);
    } catch (const SyntaxErrorException& e) {
        if (line) *line = e.error.line;
        if (column) *column = e.error.column;
        return e.error.number;
    }
    return 0;
}

struct NumberCase {
    const char* text;
    int varType;
    double value;
};

class NumberLiterals : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLiterals, HaveTheLanguagesTyping) {
    const NumberCase& c = GetParam();
    auto tokens = lex(c.text);
    ASSERT_EQ(tokens.size(), 2u) << c.text;
    ASSERT_EQ(tokens[0].kind, Tok::Number) << c.text;
    EXPECT_EQ(tokens[0].value.varType(), c.varType) << c.text;
    EXPECT_DOUBLE_EQ(tokens[0].value.numericValue(), c.value) << c.text;
}

const NumberCase kNumbers[] = {
    {"0", vbInteger, 0},
    {"32767", vbInteger, 32767},
    {"32768", vbLong, 32768},
    {"2147483647", vbLong, 2147483647.0},
    {"2147483648", vbDouble, 2147483648.0},
    {"1.5", vbDouble, 1.5},
    {".25", vbDouble, 0.25},
    {"1E3", vbDouble, 1000},
    {"1.5e-3", vbDouble, 0.0015},
    {"&H0", vbInteger, 0},
    {"&H7FFF", vbInteger, 32767},
    {"&HFFFF", vbInteger, -1},
    {"&h8000", vbInteger, -32768},
    {"&H10000", vbLong, 65536},
    {"&HFFFFFFFF", vbInteger, -1},
    {"&HFF&", vbInteger, 255},
    {"&HFFFF&", vbLong, 65535},
    {"&O17", vbInteger, 15},
    {"&O177777", vbInteger, -1},
};

INSTANTIATE_TEST_SUITE_P(Table, NumberLiterals, ::testing::ValuesIn(kNumbers));

TEST(Lexer, StringsDoubleTheirQuotes) {
    auto t = lex("x = \"say \"\"hi\"\"\" & \"\"");
    ASSERT_EQ(t[2].kind, Tok::String);
    EXPECT_EQ(t[2].text, QStringLiteral("say \"hi\""));
    EXPECT_EQ(t[4].kind, Tok::String);
    EXPECT_TRUE(t[4].text.isEmpty());
}

TEST(Lexer, DateLiteralsAreUsOrder) {
    auto t = lex("#1/2/2003# #2003-01-02# #1/2/2003 13:30:15# #3:00 PM#");
    ASSERT_EQ(t[0].kind, Tok::Date);
    EXPECT_EQ(toText(t[0].value), QStringLiteral("02/01/2003"));
    EXPECT_EQ(toText(t[1].value), QStringLiteral("02/01/2003"));
    EXPECT_EQ(toText(t[2].value), QStringLiteral("02/01/2003 13:30:15"));
    EXPECT_EQ(toText(t[3].value), QStringLiteral("15:00:00"));
    EXPECT_EQ(lexError("x = #13/45/2003#"), cerr::SyntaxError);
}

TEST(Lexer, KeywordsAreCaseBlindAndNamesKeepTheirSpelling) {
    auto t = lex("iF MyName tHeN [two words] End");
    EXPECT_EQ(t[0].kind, Tok::KwIf);
    EXPECT_EQ(t[1].kind, Tok::Ident);
    EXPECT_EQ(t[1].text, QStringLiteral("MyName"));
    EXPECT_EQ(t[2].kind, Tok::KwThen);
    EXPECT_EQ(t[3].kind, Tok::Ident);
    EXPECT_EQ(t[3].text, QStringLiteral("two words"));
    EXPECT_EQ(foldName(QStringLiteral("ação")), QStringLiteral("AÇÃO"));
}

TEST(Lexer, CommentsAndContinuation) {
    auto t = lex("a = 1 ' comment\nRem whole line\nb = 2 : Rem after colon\nc = 3 + _\n  4");
    QStringList kinds;
    for (const auto& tok : t)
        kinds << QString::number(int(tok.kind));
    // a = 1 NL NL b = 2 : NL c = 3 + 4 END
    ASSERT_EQ(t.size(), 16u);
    EXPECT_EQ(t[3].kind, Tok::Newline);
    EXPECT_EQ(t[4].kind, Tok::Newline);
    EXPECT_EQ(t[8].kind, Tok::Colon);
    EXPECT_EQ(t[14].kind, Tok::Number);
    EXPECT_EQ(t[14].line, 5); // the continued line keeps its own position
    EXPECT_EQ(t[14].column, 2);
}

TEST(Lexer, OperatorsOfTwoCharacters) {
    auto t = lex("<= =< >= => <> ><");
    EXPECT_EQ(t[0].kind, Tok::Le);
    EXPECT_EQ(t[1].kind, Tok::Le);
    EXPECT_EQ(t[2].kind, Tok::Ge);
    EXPECT_EQ(t[3].kind, Tok::Ge);
    EXPECT_EQ(t[4].kind, Tok::Ne);
    EXPECT_EQ(t[5].kind, Tok::Ne);
}

TEST(Lexer, BlankBeforeADotIsRecorded) {
    auto t = lex("a.b .c");
    EXPECT_FALSE(t[1].spaceBefore);
    EXPECT_TRUE(t[3].spaceBefore);
}

class LexErrors : public ::testing::TestWithParam<CompileErrorCase> {};

TEST_P(LexErrors, HaveTheirPosition) {
    const CompileErrorCase& c = GetParam();
    int line = 0, column = 0;
    EXPECT_EQ(lexError(c.code, &line, &column), c.number) << c.code;
    EXPECT_EQ(line, c.line) << c.code;
    EXPECT_EQ(column, c.column) << c.code;
}

const CompileErrorCase kLexErrors[] = {
    {"x = \"open", cerr::UnterminatedString, 1, 4},
    {"x = 1\ny = \"a\ncd\"", cerr::UnterminatedString, 2, 4},
    {"x = $", cerr::InvalidCharacter, 1, 4},
    {"x = a _ b", cerr::InvalidCharacter, 1, 6},
    {"x = [open", cerr::ExpectedRBracket, 1, 9},
    {"x = &HFFFFFFFFF", cerr::InvalidNumber, 1, 4},
    {"x = 1E999", cerr::InvalidNumber, 1, 4},
    {"x = #1/2/2003", cerr::InvalidCharacter, 1, 4},
};

INSTANTIATE_TEST_SUITE_P(Table, LexErrors, ::testing::ValuesIn(kLexErrors));

} // namespace
