#include "platform/file_name_codec.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QPushButton>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray Sjis = "\x83\x65\x83\x58\x83\x67.txt";  // テスト.txt in CP932
const QByteArray Broken = "bad\xff.txt";

class RawNamesWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        root = platform::encodeFileName(tree.root());
    }
    void writeSources()
    {
        for (const QByteArray& name : {Sjis, Broken})
            write("work/" + name, name);
    }
    void write(const QByteArray& relative, const QByteArray& content)
    {
        ::mkdir(root + "/work", 0755);
        const int fd = ::open(root + "/" + relative, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        ::close(fd);
    }
    QByteArray read(const QByteArray& relative) const
    {
        QByteArray content(64, 0);
        const int fd = ::open(root + "/" + relative, O_RDONLY);
        const ssize_t got = fd < 0 ? 0 : ::read(fd, content.data(), size_t(content.size()));
        if (fd >= 0)
            ::close(fd);
        return content.left(int(got));
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

    QByteArray root;
};

}  // namespace

// A kept name keeps its bytes; a name a rule changes is built from what the
// list shows and written as UTF-8.
TEST_F(RawNamesWindow, AKeptNameKeepsItsBytesAChangedOneIsWrittenAsShown)
{
    const struct {
        QString prefix;
        QByteArray sjisTarget;
        QByteArray brokenTarget;
    } cases[] = {
        {"", Sjis, Broken},
        {"p_", QStringLiteral("p_テスト.txt").toUtf8(), QStringLiteral("p_bad\uFFFD.txt").toUtf8()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix.toStdString());
        writeSources();
        frmMarlow& form = moveAll(c.prefix);
        EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{QStringLiteral("%1bad\uFFFD.txt").arg(c.prefix),
                                                              QStringLiteral("%1テスト.txt").arg(c.prefix)}));
        EXPECT_EQ(read("dst/" + c.sjisTarget), Sjis);
        EXPECT_EQ(read("dst/" + c.brokenTarget), Broken);
        EXPECT_TRUE(ui::entries(form.fileList(0)).isEmpty());
        unloadAllWindows();
        ::unlink(root + "/dst/" + c.sjisTarget);
        ::unlink(root + "/dst/" + c.brokenTarget);
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
