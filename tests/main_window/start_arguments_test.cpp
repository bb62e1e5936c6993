#include "main_window/start_arguments.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

using StartArguments::Action;

TEST(StartArguments, TheCommandLineNamesOnePathOrAsksForHelpOrTheVersion)
{
    struct Case {
        QStringList arguments;
        Action action;
        QString path;
    };
    const Case cases[] = {
        {{}, Action::Start, ""},
        {{"/home/ann/写真"}, Action::Start, "/home/ann/写真"},
        {{"--", "--help"}, Action::Start, "--help"},  // a folder named so
        {{"--help"}, Action::PrintHelp, ""},
        {{"-h", "/tmp"}, Action::PrintHelp, ""},
        {{"--version"}, Action::PrintVersion, ""},
        {{"--verbose"}, Action::Refuse, ""},
        {{"/a", "/b"}, Action::Refuse, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const StartArguments::Request request = StartArguments::parse(QStringList{"velda16"} + c.arguments);
        EXPECT_EQ(request.action, c.action);
        EXPECT_EQ(request.path, c.path);
        EXPECT_EQ(request.complaint.isEmpty(), c.action != Action::Refuse);
    }
}

TEST(StartArguments, AFolderOrAnArchiveOpensAndAnythingElseIsNamedInAMessage)
{
    TempTree tree;
    tree.makeFolder("写真/旅行");
    tree.writeFile("写真/資料.ZIP");
    tree.writeFile("写真/古い.lzh");
    tree.writeFile("写真/メモ.txt");
    tree.writeFile("写真/.hidden.zip");
    const QString photos = tree.path("写真");
    struct Case {
        QString path;
        QString folder;
        QString archive;
        bool message;
    };
    const Case cases[] = {
        {"", "", "", false},
        {photos + "/旅行/", photos + "/旅行", "", false},
        {"旅行", photos + "/旅行", "", false},  // relative to the current folder
        {"../写真/./資料.ZIP", photos, "資料.ZIP", false},
        {photos + "/古い.lzh", photos, "古い.lzh", false},
        {photos + "/メモ.txt", "", "", true},
        {photos + "/.hidden.zip", "", "", true},
        {photos + "/ない", "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const StartArguments::Opening opening = StartArguments::openingFor(c.path, photos);
        EXPECT_EQ(opening.folder, c.folder);
        EXPECT_EQ(opening.archiveName, c.archive);
        EXPECT_EQ(opening.message.isEmpty(), !c.message);
        if (c.message) {
            EXPECT_TRUE(opening.message.contains(c.path.section('/', -1))) << opening.message.toStdString();
        }
    }
}

TEST(StartArguments, AFolderNameThatIsNotUtf8KeepsItsBytes)
{
    TempTree tree;
    tree.writeRaw("\x8e\xca\x90\x5e\xff/a.txt");
    const QString folder = platform::decodeFileName(QFile::encodeName(tree.root()) + "/\x8e\xca\x90\x5e\xff");
    const StartArguments::Opening opening = StartArguments::openingFor(folder, "/");
    EXPECT_EQ(platform::encodeFileName(opening.folder), platform::encodeFileName(folder));
    EXPECT_TRUE(opening.message.isEmpty());
}
