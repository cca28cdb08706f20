// Numbered files: numbers, modes, line input at any line end, formats kept on rewrite and
// append, and the language's error numbers.
#include "FileHandles.h"

#include "TestSupport.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

namespace {

class FileHandles : public ::testing::Test {
protected:
    void TearDown() override { resetFileHandles(); }
    zvtest::TempDir dir;
};

} // namespace

TEST_F(FileHandles, NumbersAndTheirErrors) {
    EXPECT_EQ(FreeFile(), 1);
    const QString path = dir.write("a.txt", "x\n");
    Open(path, FileMode::Input, 1);
    EXPECT_EQ(FreeFile(), 2);
    EXPECT_EQ(errorOf([&] { Open(path, FileMode::Input, 1); }), err::FileAlreadyOpen);
    EXPECT_EQ(errorOf([&] { Open(path, FileMode::Input, 0); }), err::BadFileNameOrNumber);
    EXPECT_EQ(errorOf([&] { Open(path, FileMode::Input, 512); }), err::BadFileNameOrNumber);
    // Reading the same file twice is fine; rewriting a file that is open is not, and leaves it.
    Open(path, FileMode::Input, 2);
    EXPECT_EQ(errorOf([&] { Open(path, FileMode::Output, 3); }), err::FileAlreadyOpen);
    EXPECT_EQ(dir.read("a.txt"), "x\n");
    EXPECT_EQ(fileNumberOfPath(dir.path("./a.txt")), 1);
    EXPECT_EQ(fileNumberPath(2), path);

    EXPECT_EQ(errorOf([] { LineInput(9); }), err::BadFileNameOrNumber);
    EXPECT_EQ(errorOf([] { Print(1, u"x"); }), err::BadFileMode);
    Close(9); // not open: nothing happens
    Close(1);
    EXPECT_FALSE(isFileNumberOpen(1));
    EXPECT_EQ(errorOf([] { Close(0); }), err::BadFileNameOrNumber);

    for (int n = 1; n <= 255; ++n)
        if (!isFileNumberOpen(n)) Open(path, FileMode::Input, n);
    EXPECT_EQ(errorOf([] { FreeFile(); }), err::TooManyFiles);
    CloseAll();
    EXPECT_EQ(FreeFile(), 1);
}

TEST_F(FileHandles, OpenErrors) {
    dir.write("sub/x.txt", "");
    EXPECT_EQ(errorOf([&] { Open(dir.path("none.txt"), FileMode::Input, 1); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { Open(dir.path("no/none.txt"), FileMode::Input, 1); }),
              err::PathNotFound);
    EXPECT_EQ(errorOf([&] { Open(dir.path("sub"), FileMode::Input, 1); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { Open(dir.path("sub"), FileMode::Output, 1); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { Open(dir.path("no/x.txt"), FileMode::Append, 1); }), err::PathNotFound);
    EXPECT_FALSE(isFileNumberOpen(1));
}

TEST_F(FileHandles, LineInputAcceptsEveryLineEnd) {
    const QString path = dir.write("in.txt", "um\r\ndois\ntr\xEAs\rquatro\r\n\r\nfim");
    Open(path, FileMode::Input, 1);
    QStringList lines;
    while (!Eof(1))
        lines << LineInput(1);
    EXPECT_EQ(lines, (QStringList{"um", "dois", QStringLiteral("três"), "quatro", "", "fim"}));
    EXPECT_EQ(errorOf([] { LineInput(1); }), err::InputPastEnd);
    EXPECT_EQ(Lof(1), 27);
    Close(1);

    Open(dir.write("empty.txt", ""), FileMode::Input, 2);
    EXPECT_TRUE(Eof(2));
    EXPECT_EQ(errorOf([] { LineInput(2); }), err::InputPastEnd);
    Open(dir.write("bom.txt", "\xEF\xBB\xBF"
                              "a\n"),
         FileMode::Input, 3);
    EXPECT_EQ(LineInput(3), u"a");
    EXPECT_TRUE(Eof(3));
}

// Each line is decoded when it is read: the lines are those of the whole file decoded at once
// and cut at its line ends, in both encodings, with characters of several bytes at the ends of
// lines and a mark before text that is not UTF-8.
TEST_F(FileHandles, LinesDecodeAsTheWholeFileDoes) {
    const QByteArray files[] = {
        "\xC3\xA7\r\n\xE2\x82\xAC\n\xF0\x9F\x98\x80\r\xC3\xA3o\r\n\r\nfim \xC3\xA9",
        "\x81\x8D\x8F\x90\x9D\r\n\xE7\xE3o\n\x80\r\r\n\xFF",
        "\xEF\xBB\xBF\xE7\r\nb\n",
        "\xEF\xBB\xBF\xC3\xA7\nb",
        "\n\n",
        // Marks that are characters: a second one at the start, one at the start of a line.
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "a\n\xEF\xBB\xBF"
        "b\r\n",
    };
    int number = 0;
    for (const QByteArray& bytes : files) {
        const QString path = dir.write(QStringLiteral("f%1.txt").arg(++number), bytes);
        Open(path, FileMode::Input, number);
        QStringList lines;
        while (!Eof(number))
            lines << LineInput(number);
        EXPECT_EQ(lines, splitLines(decodeContent(bytes, detectFormat(bytes))))
            << bytes.toHex().toStdString();
    }
}

TEST_F(FileHandles, NewFilesAreUtf8WithLf) {
    const QString path = dir.path("new.txt");
    Open(path, FileMode::Output, 1);
    Print(1, u"ação");
    Print(1, u"");
    EXPECT_EQ(Lof(1), 8);
    EXPECT_EQ(errorOf([] { LineInput(1); }), err::BadFileMode);
    Close(1);
    EXPECT_EQ(dir.read("new.txt"), "a\xC3\xA7\xC3\xA3o\n\n");

    Open(path, FileMode::Append, 1);
    Print(1, u"mais");
    Close(1);
    EXPECT_EQ(dir.read("new.txt"), "a\xC3\xA7\xC3\xA3o\n\nmais\n");

    TextFormat crlf;
    crlf.lineEnd = LineEnd::CrLf;
    Open(dir.path("crlf.txt"), FileMode::Output, 1, crlf);
    Print(1, u"x");
    Close(1);
    EXPECT_EQ(dir.read("crlf.txt"), "x\r\n");
}

TEST_F(FileHandles, ExistingFilesKeepTheirFormat) {
    // Append writes in the file's own encoding and line end.
    const QString ansi = dir.write("ansi.txt", "linha \xE7\r\n");
    Open(ansi, FileMode::Append, 1);
    Print(1, u"ção €");
    Close(1);
    EXPECT_EQ(dir.read("ansi.txt"), "linha \xE7\r\n\xE7\xE3o \x80\r\n");

    // Rewriting a file (Output) keeps its mark and line end, so the same lines give the same
    // bytes.
    const QByteArray original("\xEF\xBB\xBFum\r\ndois\r\n");
    const QString marked = dir.write("bom.txt", original);
    Open(marked, FileMode::Input, 1);
    QStringList lines;
    while (!Eof(1))
        lines << LineInput(1);
    Close(1);
    Open(marked, FileMode::Output, 1);
    for (const QString& l : lines)
        Print(1, l);
    Close(1);
    EXPECT_EQ(dir.read("bom.txt"), original);
}
