#include "platform/file_name_codec.h"
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
        form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder("work"));
        form.fileList(1)->setPath(form.DestFolder = tree.makeFolder("dst"));
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
    form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder("work"));
    form.fileList(0)->selectAll();
    messages.answerYes();
    messages.answerOk();
    ui::click(form.Command1.at<QPushButton>(1));
    EXPECT_TRUE(ui::entries(form.fileList(0)).isEmpty());
    EXPECT_TRUE(tree.names("work").isEmpty());
}
