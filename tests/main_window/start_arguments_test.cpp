#include "main_window/start_arguments.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using StartArguments::Action;

TEST(StartArguments, TheCommandLineNamesOnePathOrAsksForHelpOrTheVersion)
{
    const struct { QStringList arguments; Action action; QString path; } cases[] = {
        {{"/home/ann/写真"}, Action::Start, "/home/ann/写真"},
        {{"--", "--help"}, Action::Start, "--help"},  // a folder named so
        {{"-h", "/tmp"}, Action::PrintHelp, ""},
        {{"--version"}, Action::PrintVersion, ""},
        {{"--verbose"}, Action::Refuse, ""},
        {{"/a", "/b"}, Action::Refuse, ""},
    };
    for (const auto& c : cases) {
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
    tree.writeFile("写真/メモ.txt");
    tree.writeFile("写真/.hidden.zip");
    const QString photos = tree.path("写真");
    const struct { QString path, folder, archive; bool message; } cases[] = {
        {photos + "/./旅行", photos + "/旅行", "", false},
        {"旅行", photos + "/旅行", "", false},  // relative to the current folder
        {"../写真/./資料.ZIP", photos, "資料.ZIP", false},
        {photos + "/メモ.txt", "", "", true},
        {photos + "/.hidden.zip", "", "", true},
        {photos + "/ない", "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const StartArguments::Opening opening = StartArguments::openingFor(c.path, photos);
        EXPECT_EQ(opening.folder, c.folder);
        EXPECT_EQ(opening.archiveName, c.archive);
        EXPECT_EQ(opening.message.contains(c.path.section('/', -1)), c.message) << opening.message.toStdString();
    }
}
