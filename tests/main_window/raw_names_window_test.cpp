#include "platform/file_name_codec.h"
#include "platform/process.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QPushButton>

namespace {

const QByteArray Sjis = "\x83\x65\x83\x58\x83\x67.txt";  // テスト.txt in CP932
const QByteArray Broken = "bad\xff.txt";

class RawNamesWindow : public MainWindowTest {
protected:
    void writeSources()
    {
        for (const QByteArray& name : {Sjis, Broken})
            tree.writeRaw("work/" + name, name);
    }
    // Moves every source file into dst by the rule "keep" with prefix.
    frmMarlow& moveAll(const QString& prefix)
    {
        frmMarlow& form = showMainWindow();
        EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder("work")).failed());
        EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.makeFolder("dst")).failed());
        form.Check1.at<QAbstractButton>(0)->setChecked(true);
        form.fileList(0)->selectAll();
        form.selectOption(form.Option1, 0);
        form.setText1(3, prefix);
        messages.answerYes();
        messages.answerYes();
        ui::click(form.Command1.at<QPushButton>(0));
        return form;
    }
};

}  // namespace

// A kept name keeps its bytes; a name a rule changes is built from what the
// list shows and written as UTF-8, bytes that read as no text kept as they are.
TEST_F(RawNamesWindow, AKeptNameKeepsItsBytesAChangedOneIsWrittenAsShown)
{
    const struct {
        QString prefix;
        QByteArray sjisTarget;
        QByteArray brokenTarget;
    } cases[] = {
        {"", Sjis, Broken},
        {"p_", QStringLiteral("p_テスト.txt").toUtf8(), "p_" + Broken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix.toStdString());
        writeSources();
        frmMarlow& form = moveAll(c.prefix);
        EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{QStringLiteral("%1bad\uFFFD.txt").arg(c.prefix),
                                                              QStringLiteral("%1テスト.txt").arg(c.prefix)}));
        EXPECT_EQ(tree.readRaw("dst/" + c.sjisTarget), Sjis);
        EXPECT_EQ(tree.readRaw("dst/" + c.brokenTarget), Broken);
        EXPECT_TRUE(ui::entries(form.fileList(0)).isEmpty());
        unloadAllWindows();
        tree.removeRaw("dst");
    }
}

TEST_F(RawNamesWindow, DeleteRemovesTheListedFilesWhateverTheirNames)
{
    writeSources();
    frmMarlow& form = showMainWindow();
    EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder("work")).failed());
    form.fileList(0)->selectAll();
    messages.answerYes();
    messages.answerOk();
    ui::click(form.Command1.at<QPushButton>(1));
    EXPECT_TRUE(ui::entries(form.fileList(0)).isEmpty());
    EXPECT_TRUE(tree.names("work").isEmpty());
}

// A name's line break shows as a mark, in the lists and the preview alike,
// and stays a line break on disk when a rule changes the rest of the name.
TEST_F(RawNamesWindow, ALineBreakInANameShowsAsAMarkAndStaysABreak)
{
    tree.writeRaw("work/two\nlines.txt", "data");
    frmMarlow& form = showMainWindow();
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{QStringLiteral("two\u23CElines.txt")});
    moveAll("p_");
    EXPECT_EQ(ui::entries(form.fileList(1)), QStringList{QStringLiteral("p_two\u23CElines.txt")});
    EXPECT_EQ(tree.readRaw("dst/p_two\nlines.txt"), "data");
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
    EXPECT_EQ(form.SourceFolder, exact);
    EXPECT_EQ(form.DestFolder, exact);
    EXPECT_EQ(form.text1(1), shown);
    EXPECT_EQ(form.text1(2), shown);
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"a.txt"});

    ui::retype(form.Text1.control(1), shown + QStringLiteral("/sub\uFFFD"));
    ui::focusByUser(form.Text1.control(0));
    EXPECT_EQ(form.SourceFolder, exact + "/" + platform::decodeFileName("sub\xff"));
    EXPECT_EQ(form.text1(1), shown + QStringLiteral("/sub\uFFFD"));
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"b.txt"});

    ui::focusByUser(form.Text1.control(1));
    ui::retype(form.Text1.control(1), shown + QStringLiteral("/無い"));
    ui::focusByUser(form.Text1.control(0));
    EXPECT_EQ(messages.texts(), QStringList{shown + QStringLiteral("/無い  が存在しません。フォルダを指定し直して下さい。")});
}
