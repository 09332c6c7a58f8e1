#include "settei/profile_file.h"

#include <gtest/gtest.h>

#include "main/cp932.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::TempFolder;

struct ProfileFileTest : ::testing::Test {
    TempFolder folder;
    RealFileSystem files;
    ProfileFile profile{files, folder.file("kelmora.ini")};
};

TEST_F(ProfileFileTest, ReadsFindKeysWithoutRegardToCaseAndSpacing) {
    folder.put("kelmora.ini",
               "; calendar settings\r\n"
               "[Form]\r\n"
               "Toolbar=0\r\n"
               "  top =  25  \r\n"
               ";left=99\r\n"
               "top=77\r\n"            // a second copy: the first one counts
               "\r\n"
               "[memo]\n"               // LF line ends, as an editor may leave them
               "width=150\n"
               "empty=\n"
               "[FORM]\n"               // a later copy of a section is not looked at
               "jouchuu=1");           // no final line end
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"form", "toolbar", "0"},     {"FORM", "TOOLBAR", "0"}, {"form", "top", "25"},
        {"form", "left", std::nullopt}, {"memo", "width", "150"}, {"MEMO", "Empty", ""},
        {"form", "width", std::nullopt}, {"form", "jouchuu", std::nullopt}, {"print", "top", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(profile.read(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST_F(ProfileFileTest, QuotesRoundAValueAreDropped) {
    const std::string mincho = cp932::literal("ＭＳ 明朝");
    struct Case {
        std::string written, read;
    } cases[] = {
        {"\"" + mincho + "\"", mincho}, {"'" + mincho + "'", mincho}, {"  \"a b\"  ", "a b"},
        {"\"\"", ""},                  {"\"a\"b\"", "a\"b"},            {"\"", "\""},
        {"\"a'", "\"a'"},              {"a\"", "a\""},                  {"\"0x10\"", "0x10"},
    };
    for (const Case& c : cases) {
        folder.put("kelmora.ini", "[nen]\r\nfontname=" + c.written + "\r\n");
        EXPECT_EQ(profile.read("nen", "fontname"), c.read) << c.written;
    }
    // Writing keeps a value as it is given.
    ASSERT_TRUE(profile.write("nen", "fontname", "\"x\""));
    EXPECT_EQ(folder.get("kelmora.ini"), "[nen]\r\nfontname=\"x\"\r\n");
}

TEST_F(ProfileFileTest, MissingFileReadsAsNothing) {
    EXPECT_EQ(profile.read("form", "top"), std::nullopt);
    EXPECT_FALSE(folder.has("kelmora.ini"));
}

TEST_F(ProfileFileTest, DoubleByteNamesAreComparedExactly) {
    // The second byte of "ア" (83 41) is an ASCII "A"; it must not match "ヂ" (83 61).
    const std::string a = cp932::literal("ア"), di = cp932::literal("ヂ");
    folder.put("kelmora.ini", "[s]\r\n" + a + "=1\r\n");
    EXPECT_EQ(profile.read("S", a), "1");
    EXPECT_EQ(profile.read("s", di), std::nullopt);
}

TEST_F(ProfileFileTest, LongValueIsCutWithoutSplittingACharacter) {
    const std::string kanji = cp932::literal("明");
    const std::string value = std::string(1022, 'x') + kanji + "tail";
    folder.put("kelmora.ini", "[nen]\r\nfontname=" + value + "\r\n");
    EXPECT_EQ(profile.read("nen", "fontname"), std::string(1022, 'x'));
    folder.put("kelmora.ini", "[nen]\r\nfontname=" + std::string(1021, 'x') + kanji + "tail\r\n");
    EXPECT_EQ(profile.read("nen", "fontname"), std::string(1021, 'x') + kanji);
}

TEST_F(ProfileFileTest, WritesReplaceAppendOrCreateAndKeepEveryOtherLine) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // nothing: no file
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"first write creates the file", std::nullopt, "form", "top", "10", "[form]\r\ntop=10\r\n"},
        {"replaces the line in place, in the caller's spelling",
         "[FORM]\r\n TOP = 5 \r\nleft=3\r\n", "form", "top", "7", "[FORM]\r\ntop=7\r\nleft=3\r\n"},
        {"adds a missing key after the section's last line, before blank lines and the next section",
         "[form]\r\ntop=1\r\n\r\n[memo]\r\nwidth=100\r\n", "form", "left", "2",
         "[form]\r\ntop=1\r\nleft=2\r\n\r\n[memo]\r\nwidth=100\r\n"},
        {"adds a missing section at the end", "[form]\r\ntop=1", "print", "top", "2",
         "[form]\r\ntop=1\r\n[print]\r\ntop=2\r\n"},
        {"a key of the same name in another section is not touched", "[memo]\r\ntop=9\r\n[form]\r\n", "form",
         "top", "1", "[memo]\r\ntop=9\r\n[form]\r\ntop=1\r\n"},
        {"comments, blank lines and odd spacing survive; lines end in CR LF",
         "; my settings\n\n[ form ]\n  toolbar = 1   \n;top=3\nmystery line\n\n\n[memo]\nwidth\t=\t120\n", "form",
         "top", "40",
         "; my settings\r\n\r\n[ form ]\r\n  toolbar = 1   \r\n;top=3\r\nmystery line\r\ntop=40\r\n\r\n\r\n"
         "[memo]\r\nwidth\t=\t120\r\n"},
        {"a value cannot break the line", "", "nen", "fontname", "a\r\n[x]", "[nen]\r\nfontname=a\r\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(folder.file("kelmora.ini"));
        if (c.before) folder.put("kelmora.ini", *c.before);
        EXPECT_TRUE(profile.write(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(folder.get("kelmora.ini"), c.after) << c.name;
    }
}

TEST(ProfileDocument, ManyKeysSetInOneDocumentComeOutAsOneKeyAtATimeWould) {
    // Sets that add to one section, replace, go to a later copy's name and
    // open new sections, on a file with comments and odd lines.
    const std::string before =
        "; mine\r\n[form]\r\ntop=1\r\n\r\n[memo]\n width = 120 \nodd line\n\n[FORM]\nleft=9\n";
    const struct {
        const char *section, *key, *value;
    } sets[] = {{"form", "left", "2"},    {"memo", "width", "150"}, {"print", "top", "4"},
                {"form", "toolbar", "0"}, {"MEMO", "height", "70"}, {"print", "left", "5"},
                {"form", "top", "7"}};
    ProfileDocument document(before);
    for (const auto& s : sets) document.set(s.section, s.key, s.value);
    EXPECT_EQ(document.bytes(),
              "; mine\r\n[form]\r\ntop=7\r\nleft=2\r\ntoolbar=0\r\n\r\n[memo]\r\nwidth=150\r\nodd line\r\n"
              "height=70\r\n\r\n[FORM]\r\nleft=9\r\n[print]\r\ntop=4\r\nleft=5\r\n");
    for (const auto& s : sets) EXPECT_EQ(document.value(s.section, s.key), s.value) << s.section << "/" << s.key;

    // The same through the file, one key per replace.
    TempFolder folder;
    RealFileSystem files;
    ProfileFile file(files, folder.file("kelmora.ini"));
    folder.put("kelmora.ini", before);
    for (const auto& s : sets) ASSERT_TRUE(file.write(s.section, s.key, s.value));
    EXPECT_EQ(folder.get("kelmora.ini"), document.bytes());
}

TEST_F(ProfileFileTest, WrittenValueReadsBackByteForByte) {
    const std::string name = cp932::literal("ＭＳ Ｐゴシック") + "\x81\x5C\x83\x5C";  // trail bytes 5C ("\")
    ASSERT_TRUE(profile.write("youbi", "fontname", name));
    EXPECT_EQ(profile.read("youbi", "fontname"), name);
}

TEST_F(ProfileFileTest, ReadOnlyFileIsRefusedAndLeftAsItWas) {
    const std::string before = "[form]\r\ntop=1\r\n";
    folder.put("kelmora.ini", before);
    folder.makeReadOnly("kelmora.ini");
    EXPECT_FALSE(profile.write("form", "top", "2"));
    EXPECT_EQ(folder.get("kelmora.ini"), before);
    EXPECT_FALSE(folder.has("kelmora.ini.tmp"));
}

// A file that exists but cannot be read is not replaced by one holding only
// the new key.
class UnreadableFiles : public RealFileSystem {
public:
    ReadResult readFile(const std::string&, std::size_t) const override {
        return {ReadResult::ReadError, {}, {FileProblem::Other}};
    }
};

TEST_F(ProfileFileTest, UnreadableFileIsNotOverwritten) {
    const std::string before = "[form]\r\ntop=1\r\nleft=2\r\n";
    folder.put("kelmora.ini", before);
    UnreadableFiles unreadable;
    ProfileFile file(unreadable, folder.file("kelmora.ini"));
    EXPECT_FALSE(file.write("form", "top", "5"));
    EXPECT_EQ(folder.get("kelmora.ini"), before);
}

}  // namespace
}  // namespace kelmora
