// Encodings: lossless Windows-1252, strict UTF-8, detection, line ends, and text files that are
// written back byte for byte and replaced atomically.
#include "Encoding.h"

#include "TestSupport.h"
#include "VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace zv;
using zvtest::errorOf;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

} // namespace

TEST(Encoding, EveryWindows1252ByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x81));
    EXPECT_EQ(text[0x9D], QChar(0x9D));
    EXPECT_EQ(text[0xE7], QChar(u'ç'));
    bool lost = false;
    EXPECT_EQ(encodeWindows1252(text, &lost), all);
    EXPECT_FALSE(lost);

    EXPECT_EQ(encodeWindows1252(u"a€Ωb\u0080", &lost), QByteArray("a\x80?b?"));
    EXPECT_TRUE(lost);
}

TEST(Encoding, StrictUtf8) {
    struct Case {
        QByteArray bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain", true},
        {"\xC3\xA7\xC3\xA3o", true},
        {"\xF0\x9F\x98\x80", true},
        {"\xEF\xBB\xBF", true},
        {"\xC0\x80", false},         // overlong
        {"\xE0\x80\x80", false},     // overlong
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xE2\x82", false},         // cut short
        {"\xE7\xE3o", false},        // Windows-1252 "çã"
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();

    const QString text = QString::fromUtf8("ção 😀 \xEF\xBB\xBF");
    EXPECT_EQ(decodeUtf8(encodeUtf8(text)), text);
    EXPECT_EQ(encodeUtf8(text), text.toUtf8());
    bool lost = false;
    EXPECT_EQ(encodeUtf8(QString(QChar(0xD800)) + QStringLiteral("x"), &lost), "?x");
    EXPECT_TRUE(lost);
    EXPECT_EQ(decodeUtf8("a\xFF"
                         "b"),
              QStringLiteral("a\uFFFDb"));
}

// Long runs of plain ASCII are read a word at a time: a byte that is not ASCII (valid or not)
// must be found at every place in and around such a run.
TEST(Encoding, NonAsciiBytesAnywhereInALongAsciiRun) {
    const QByteArray pad(24, 'a');
    const struct {
        QByteArray bytes;
        bool valid;
        QString decoded;
    } marks[] = {
        {"\xFF", false, QStringLiteral("\uFFFD")},
        {"\xC3\xA7", true, QStringLiteral("ç")},
        {"\xF0\x9F\x98\x80", true, QString::fromUtf8("\xF0\x9F\x98\x80")},
        {"\xE2\x82", false, QStringLiteral("\uFFFD\uFFFD")},
        {"\xC3\xA7\xFF\xC3\xA3", false, QStringLiteral("ç\uFFFDã")},
    };
    for (const auto& m : marks) {
        for (qsizetype at = 0; at <= pad.size(); ++at) {
            const QByteArray bytes = pad.left(at) + m.bytes + pad.mid(at);
            const QString expected =
                QString::fromLatin1(pad.left(at)) + m.decoded + QString::fromLatin1(pad.mid(at));
            EXPECT_EQ(isValidUtf8(bytes), m.valid) << bytes.toHex().toStdString();
            EXPECT_EQ(decodeUtf8(bytes), expected) << bytes.toHex().toStdString();
        }
    }
    // A large text, mostly ASCII, decodes as Qt decodes valid UTF-8.
    QByteArray large;
    for (int i = 0; i < 2000; ++i)
        large += "Linha " + QByteArray::number(i) + (i % 7 ? " ascii\n" : " instalação 😀\n");
    EXPECT_TRUE(isValidUtf8(large));
    EXPECT_EQ(decodeUtf8(large), QString::fromUtf8(large));
    // A mark at the start is a character, kept.
    EXPECT_EQ(decodeUtf8("\xEF\xBB\xBFx"), QString(QChar(0xFEFF)) + u'x');
    EXPECT_EQ(decodeValidUtf8("\xEF\xBB\xBF\xEF\xBB\xBF"), QString(2, QChar(0xFEFF)));
}

TEST(Encoding, DetectsEncodingMarkAndLineEnd) {
    struct Case {
        QByteArray bytes;
        TextFormat expected;
    };
    using E = TextEncoding;
    using L = LineEnd;
    const Case cases[] = {
        {"", {E::Utf8, false, L::Lf, true}},
        {"ascii only", {E::Utf8, false, L::Lf, false}},
        {"\xC3\xA7\xC3\xA3o\r\nx\n", {E::Utf8, false, L::CrLf, true}},
        {"\xE7\xE3o\nx\r\n", {E::Windows1252, false, L::Lf, true}},
        {kBom + "a\rb", {E::Utf8, true, L::Cr, false}},
        {kBom + "\xE7\r\n", {E::Windows1252, true, L::CrLf, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detectFormat(c.bytes), c.expected) << c.bytes.toHex().toStdString();
}

TEST(Encoding, SplitsLinesAtAnyLineEnd) {
    struct Case {
        const char16_t* text;
        QStringList lines;
    };
    const Case cases[] = {
        {u"", {}},
        {u"a", {"a"}},
        {u"a\n", {"a"}},
        {u"\n", {""}},
        {u"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {u"a\n\rb", {"a", "", "b"}},
        {u"a\r\n\r\n", {"a", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << QString::fromUtf16(c.text).toStdString();
}

TEST(Encoding, UnchangedFilesAreWrittenBackByteForByte) {
    zvtest::TempDir dir;
    const QByteArray samples[] = {
        kBom + "linha \xC3\xA7\xC3\xA3o\r\nsegunda\r\n",
        "Windows \xE7\xE3o \x80\x81\x8D\x8F\x90\x9D\r\nsem fim",
        "a\nb\n\n",
        "mac\rold\r",
        kBom + "marca e Windows-1252 \xE7\r\n",
        kBom,
        "",
        "\n",
    };
    int i = 0;
    for (const QByteArray& bytes : samples) {
        const QString path = dir.write(QStringLiteral("f%1.txt").arg(i++), bytes);
        const TextFileContent content = readTextFile(path);
        writeTextFile(path, content.lines, content.format);
        EXPECT_EQ(dir.read(QFileInfo(path).fileName()), bytes) << bytes.toHex().toStdString();
    }
}

TEST(Encoding, SameTextReadFromEitherEncoding) {
    zvtest::TempDir dir;
    const TextFileContent utf8 =
        readTextFile(dir.write("u.txt", "p\xC3\xA1gina\r\n\xC3\xA7\xC3\xA3o\r\n"));
    const TextFileContent ansi = readTextFile(dir.write("w.txt", "p\xE1gina\r\n\xE7\xE3o\r\n"));
    EXPECT_EQ(utf8.format.encoding, TextEncoding::Utf8);
    EXPECT_EQ(ansi.format.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(utf8.lines, (QStringList{QStringLiteral("página"), QStringLiteral("ção")}));
    EXPECT_EQ(ansi.lines, utf8.lines);

    // New files: UTF-8 without a mark, LF; a character Windows-1252 lacks becomes "?".
    writeTextFile(dir.path("new.txt"), {QStringLiteral("ção"), QStringLiteral("x")});
    EXPECT_EQ(dir.read("new.txt"), "\xC3\xA7\xC3\xA3o\nx\n");
    bool lost = false;
    writeTextFile(dir.path("w.txt"), {QStringLiteral("Ω ç")}, ansi.format, &lost);
    EXPECT_TRUE(lost);
    EXPECT_EQ(dir.read("w.txt"), "? \xE7\r\n");
}

TEST(Encoding, FileErrorsAndAtomicReplace) {
    zvtest::TempDir dir;
    dir.write("sub/keep.txt", "old\n");
    EXPECT_EQ(errorOf([&] { readTextFile(dir.path("none.txt")); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { readTextFile(dir.path("no/none.txt")); }), err::PathNotFound);
    EXPECT_EQ(errorOf([&] { readTextFile(dir.path("sub")); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { writeTextFile(dir.path("no/x.txt"), {"a"}); }), err::PathNotFound);
    EXPECT_EQ(errorOf([&] { writeTextFile(dir.path("sub"), {"a"}); }), err::PathFileAccess);

    // Permissions of a replaced file stay.
    const QString keep = dir.path("sub/keep.txt");
    QFile::setPermissions(keep, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const auto permissions = QFile::permissions(keep);
    writeTextFile(keep, {"new"});
    EXPECT_EQ(QFile::permissions(keep), permissions);

    // A write that fails half way (the file size limit) leaves the old content.
    writeTextFile(keep, {"old"});
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const int failed = errorOf([&] { writeTextFile(keep, {QString(5000, u'x')}); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failed, err::PathFileAccess);
    EXPECT_EQ(dir.read("sub/keep.txt"), "old\n");
    EXPECT_EQ(QDir(dir.path("sub")).entryList(QDir::Files), QStringList{"keep.txt"});

    if (geteuid() != 0) {
        QFile::setPermissions(keep, QFile::WriteOwner);
        EXPECT_EQ(errorOf([&] { readTextFile(keep); }), err::PermissionDenied);
    }
}
