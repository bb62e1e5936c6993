#include "platform/file_name_codec.h"
#include "platform/process.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QPushButton>

namespace {

const QByteArray Sjis = "\x83\x65\x83\x58\x83\x67.txt";  // テスト.txt in CP932
// Two names both shown as "bad�.txt", and one with a line break.
const QByteArray Broken = "bad\xff.txt", AlsoBroken = "bad\xfe.txt", TwoLines = "two\nlines.txt";

using RawNamesWindow = MainWindowTest;

}  // namespace

// A kept name keeps its bytes; a name a rule changes is built from what the
// list shows and written as UTF-8, bytes that read as no text and line breaks
// kept as they are, names shown alike staying two files that Delete removes.
TEST_F(RawNamesWindow, NamesKeepTheirBytesThroughARuleAndDelete)
{
    for (const QString prefix : {"", "p_"}) {
        SCOPED_TRACE(prefix.toStdString());
        for (const QByteArray& name : {Sjis, Broken, AlsoBroken, TwoLines})
            tree.writeRaw("work/" + name, name);
        frmMarlow& form = showMainWindow();  // moves, on the current folder "work"
        EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.makeFolder("dst")).failed());
        form.fileList(0)->selectAll();
        form.setText1(3, prefix);
        messages.answerYes();
        messages.answerYes();
        ui::click(form.Command1.at<QPushButton>(0));
        const QByteArray sjisTarget = prefix.isEmpty() ? Sjis : QStringLiteral("p_テスト.txt").toUtf8();
        EXPECT_EQ(tree.readRaw("dst/" + sjisTarget), Sjis);
        for (const QByteArray& name : {Broken, AlsoBroken, TwoLines})
            EXPECT_EQ(tree.readRaw("dst/" + prefix.toUtf8() + name), name);
        EXPECT_TRUE(tree.names("work").isEmpty());

        form.fileList(1)->selectAll();
        messages.answerYes();
        messages.answerOk();
        ui::click(form.Command1.at<QPushButton>(1));
        EXPECT_TRUE(tree.names("dst").isEmpty());
        unloadAllWindows();
    }
}

// Started inside a folder whose name is CP932, the fields show it in
// Japanese and hold its bytes; what the user types on from there keeps them.
TEST_F(RawNamesWindow, AFolderNamedInAnotherEncodingKeepsItsBytesInTheFields)
{
    const QByteArray sjis = "\x83\x65\x83\x58\x83\x67";  // テスト
    tree.writeRaw("work/" + sjis + "/a.txt");
    tree.writeRaw("work/" + sjis + "/sub\xff/b.txt");
    const QString exact = workFolder + "/" + platform::decodeFileName(sjis);
    const QString shown = workFolder + QStringLiteral("/テスト");
    ASSERT_TRUE(platform::setCurrentFolder(exact));
    frmMarlow& form = showMainWindow();
    EXPECT_EQ(QStringList({form.SourceFolder, form.DestFolder, form.text1(1), form.text1(2)}),
              QStringList({exact, exact, shown, shown}));
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"a.txt"});

    ui::retype(form.Text1.control(1), shown + QStringLiteral("/sub\uFFFD"));
    ui::focusByUser(form.Text1.control(0));
    EXPECT_EQ(form.SourceFolder, exact + "/" + platform::decodeFileName("sub\xff"));
    EXPECT_EQ(form.text1(1), shown + QStringLiteral("/sub\uFFFD"));
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"b.txt"});
    EXPECT_TRUE(messages.texts().isEmpty());
}
