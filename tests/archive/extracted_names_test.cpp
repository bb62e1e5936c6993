#include "extraction_test.h"

#include <QFile>

using TestArchives::cp932;
using ExtractedNames = ExtractionTest;

// Every member lands under its name below the folder, whatever header level,
// method, name encoding or separators its archive uses; LZH names come from
// the UTF-16 headers where there are some; members of one name are all kept.
TEST_F(ExtractedNames, MembersLandUnderTheirNamesAndFolders)
{
    QByteArray big;  // more than one -lh5- block
    for (int i = 0; i < 70000; ++i)
        big += char(i * 7 + i / 251);
    const QByteArray text = QByteArray("写真の説明").repeated(200);
    TestArchives::LzhMember first{"_____.txt", "first"};
    first.unicodeName = QStringLiteral("日本.txt");
    TestArchives::LzhMember second{"_____.txt", "second"};
    second.unicodeName = QStringLiteral("語.txt");
    second.unicodeFolder = QStringLiteral("資料/表");
    TestArchives::LzhMember twin = first;
    twin.data = "twin";
    // 300 bytes here, a name Windows takes
    const auto longName = [](int length) { return QString(length, QChar(0x5199)); };
    const Outcome cases[] = {
        {"levels.lzh",
         TestArchives::lzh({{cp932("フォルダ\\表示.TXT"), "zero", "-lh0-", 0},
                            {cp932("アイウ.TXT"), "one", "-lh5-", 1, cp932("資料")},
                            {cp932("ソフト.txt"), big, "-lh5-", 2, cp932("資料") + '\xFF' + cp932("表")},
                            {"日本語.txt", "utf8", "-lh0-", 2, {}, 'U', 65001},
                            {{}, {}, "-lhd-", 2, cp932("空のフォルダ")}}),
         0, 4, {}, {"フォルダ/表示.TXT=zero", "日本語.txt=utf8", "空のフォルダ/", "資料/アイウ.TXT=one", entry("資料/表/ソフト.txt", big)}},
        {"windows.zip",
         TestArchives::zip({{cp932("資料/"), {}}, {cp932("資料/表示ソフト.TXT"), "stored"},
                            {cp932("資料\\アイウ.txt"), text, false, true}, {"写真/旅行.jpg", "utf8", true, true},
                            {cp932("空/"), {}}, {"/zabs.txt", "abs"}, {"\\zback.txt", "back"},
                            {"zip.txt", "d", false, false, 0100600},
                            {QStringLiteral("写真/日記.txt").toUtf8(), "info-zip", false, true},
                            {"\xFF\xFE.txt", "neither"}, {cp932("資料/表示.txt"), "flagged sjis", true}}),
         0, 9, {}, {"zabs.txt=abs", "zback.txt=back", "zip.txt=d", "写真/旅行.jpg=utf8", "写真/日記.txt=info-zip", "空/",
          entry("資料/アイウ.txt", text), "資料/表示.txt=flagged sjis", "資料/表示ソフト.TXT=stored",
          "\uFFFD\uFFFD.txt=neither"}},
        {"names.lzh",
         TestArchives::lzh({{QStringLiteral("写真.jpg").toUtf8(), "utf8"}, {cp932("表示.txt"), "sjis"},
                            {"\\root\\lead.txt", "lead", "-lh0-", 0},
                            {QByteArray("amiga.txt\0a comment", 19), "zero", "-lh0-", 0},
                            {QByteArray("amiga1.txt\0note", 15), "one", "-lh5-", 1},
                            {"/slash.txt", "two", "-lh0-", 2}, {"private.txt", "b", "-lh0-", 2, {}, 'U', 0, 0600},
                            {"open.txt", "c", "-lh5-", 2, {}, 'U', 0, 0777}, {"tool", "#!", "-lh0-", 2, {}, 'U', 0, 04755}}),
         0, 9, {}, {"amiga.txt=zero", "amiga1.txt=one", "open.txt=c", "private.txt=b", "root/lead.txt=lead", "slash.txt=two",
                    "tool=#!", "写真.jpg=utf8", "表示.txt=sjis"}},
        {"utf16.lzh", TestArchives::lzh({first, second, twin, {"a", "file a"}, {"b.txt", "in a", "-lh0-", 2, "a"}}), 0,
         5, "同じ名前が書庫に重ねてあったため、2 個を別の名前で解凍しました。\r日本.txt → 日本 (2).txt\ra → a (2)",
         {"a (2)/b.txt=in a", "a=file a", "日本 (2).txt=twin", "日本.txt=first", "資料/表/語.txt=second"}},
        {"long.zip",
         TestArchives::zip({{(longName(100) + ".txt").toUtf8(), "long", true}, {cp932(longName(100) + ".txt"), "twin"},
                            {cp932(longName(100) + "/x.txt"), "in"}}),
         0, 3, longName(100) + " → " + longName(85),
         {longName(82) + " (2).txt=twin", longName(83) + ".txt=long", longName(85) + "/x.txt=in"}},
    };
    for (const Outcome& row : cases)
        expect(row);
}

// Links, devices and names that climb out are left out, and no link written
// earlier in the archive leads a later member out.
TEST_F(ExtractedNames, NothingIsWrittenOutsideTheFolderNorAsALinkOrDevice)
{
    const QByteArray outside = QFile::encodeName(tree.makeFolder("outside"));
    const Outcome cases[] = {
        {"a.lzh",
         TestArchives::lzh({{"..\\escape.txt", "x", "-lh0-", 0}, {"\\absolute.txt", "x", "-lh0-", 0},
                            {"escape2.txt", "x", "-lh0-", 2, ".."}, {"a\\..\\..\\escape3.txt", "x", "-lh0-", 0},
                            {"link|" + outside, {}, "-lhd-", 2, {}, 'U', 0, 0120777}, {"link/through.txt", "inside"}}),
         0, 2, "link（リンク）", {"absolute.txt=x", "link/through.txt=inside"}},
        {"a.zip",
         TestArchives::zip({{"../evil.txt", "x"}, {"/zabsolute.txt", "x"}, {"a/../../evil2.txt", "x"},
                            {"C:/windows.txt", "x"}, {"lnk", outside, false, false, 0120777}, {"lnk/pwned.txt", "inside"},
                            {"device", {}, false, false, 020644}}),
         0, 2, "device（特殊なファイル）", {"lnk/pwned.txt=inside", "zabsolute.txt=x"}},
    };
    for (const Outcome& row : cases)
        expect(row);
    EXPECT_EQ(tree.names(), QStringList({"MELT", "in", "outside"}));
    EXPECT_TRUE(tree.names("outside").isEmpty());
}
