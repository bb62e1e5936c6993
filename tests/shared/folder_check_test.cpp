#include "shared/folder_check.h"
#include "platform/file_system.h"
#include "shared/result_value.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace FolderCheck;

TEST(FolderPathOf, BlanksThenLineBreaksGoAndTheTextBecomesAnAbsoluteFolderPath)
{
    const QString root = QDir::currentPath();
    const QString cases[][2] = {
        {"  " + root + "/a b\r\n", root + "/a b"},  {root + "/a  \n", root + "/a  "},
        {root + "/fo\r\nlder", root + "/folder"},   {root + QStringLiteral("/a\t　"), root + QStringLiteral("/a\t　")},
        {root + "/a//", root + "/a"},               {QStringLiteral("写真/旅行"), root + QStringLiteral("/写真/旅行")},
        {" /\n", "/"},                              {"  \r\n ", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(folderPathOf(c[0]), c[1]) << qPrintable(c[0]);
    EXPECT_TRUE(fieldDiffers("/data/Photos\n", "/data/Photos"));
}

// A field left empty is never offered for creation; a folder the list cannot
// show is reported as the list fails.
TEST(CheckFolder, ARefusalLeavesTheStoredFolderAndTheListAsTheyWere)
{
    TempTree tree;
    ScriptedMessages messages;
    const QString start = tree.makeFolder("start");
    const QString unreachable = tree.makeFolder("unreachable");
    tree.writeFile("plain.txt");
    const QString blocked = tree.path("plain.txt/sub");
    const QString missing = QStringLiteral("  が存在しません。フォルダを指定し直して下さい。");
    const platform::FsError unavailable = platform::makeError(platform::ErrorNumber::DeviceUnavailable);
    const QString unavailableText = platform::errorMessageText(unavailable);
    const struct { bool destination; QString typed; QStringList shown; QString fieldAfter; } cases[] = {
        {false, " \r\n", {missing}, start},
        {true, " \r\n", {missing}, start},
        {false, unreachable, {unavailableText}, unreachable},
        {true, unreachable, {unavailableText}, unreachable},
        {true, blocked, {blocked + QStringLiteral(" を作成しますか。"), "Error- "}, blocked},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.destination << " " << qPrintable(c.typed));
        messages.clear();
        if (c.typed == blocked)
            messages.answerYes();
        QString field = c.typed, listFolder = start, stored = start;
        const auto showFolder = [&](const QString& folder) {
            if (folder == unreachable)
                return unavailable;
            if (!platform::folderExists(folder))
                return platform::makeError(platform::ErrorNumber::PathNotFound);
            listFolder = folder;
            return platform::FsError{};
        };
        const FolderSide side{field, QString(), [&field](const QString& path) { field = path; }, showFolder, stored};
        EXPECT_EQ(c.destination ? checkDestination(side) : checkSource(side), ResultValue::Stop);
        ASSERT_EQ(messages.count(), c.shown.size());
        for (int i = 0; i < c.shown.size(); ++i)
            EXPECT_TRUE(messages.texts()[i].startsWith(c.shown[i])) << qPrintable(messages.texts()[i]);
        EXPECT_EQ(QStringList({field, stored, listFolder}), QStringList({c.fieldAfter, start, start}));
    }
}
