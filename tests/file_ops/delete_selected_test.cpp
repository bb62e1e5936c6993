#include "file_ops/delete_selected.h"
#include "platform/file_system.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QString Question = QStringLiteral("選択したファイルを削除しますか？");
const QString SourceQuestion = QStringLiteral("選択したファイル群より、指定のファイルを削除します。");
const QString DestinationQuestion = QStringLiteral("コピー先ファイル一覧より、指定のファイルを削除します。");

// The two lists over real folders; what the deletion did to the window is recorded.
class FolderDeleteWindow : public FileOps::DeleteWindow {
public:
    QString folders[2];
    QStringList selected[2];
    QStringList calls;
    QString statusLine;

    QStringList selectedFiles(int list) override { return selected[list]; }
    qint16 deleteListedFile(int list, const QString& fileName) override
    {
        return FileOps::deleteListedFile(folders[list], fileName);
    }
    void refreshList(int list) override { calls.append(QStringLiteral("refresh %1").arg(list)); }
    void setStatusLine(const QString& text) override { statusLine = text; }
    void showProgress() override {}
    void deleteSelectedFiles() override { FileOps::deleteSelectedFiles(*this); }
    void resetRules() override { calls.append("reset"); }
    void focusPrefixField() override { calls.append("focus"); }
};

class DeleteSelected : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.folders[0] = tree.makeFolder("src");
        window.folders[1] = tree.makeFolder("dst");
        for (const char* name : {"src/a.txt", "src/ a.txt", "src/b.txt", "dst/a.txt", "dst/b.txt"})
            tree.writeFile(name);
    }

    TempTree tree;
    ScriptedMessages messages;
    FolderDeleteWindow window;
};

}  // namespace

TEST_F(DeleteSelected, NothingSelectedAsksOnceRefreshesBothListsAndResetsTheRules)
{
    messages.answerYes();
    FileOps::pressDelete(window);
    EXPECT_EQ(messages.texts(), QStringList{Question});
    EXPECT_EQ(window.calls, (QStringList{"refresh 0", "refresh 1", "reset", "focus"}));
}

TEST_F(DeleteSelected, NoDeletesNothingAndKeepsTheRules)
{
    window.selected[0] = QStringList{"a.txt"};
    messages.answerNo();
    FileOps::pressDelete(window);
    EXPECT_EQ(window.calls, QStringList{"focus"});
    EXPECT_TRUE(tree.exists("src/a.txt"));
}

TEST_F(DeleteSelected, EachListHasItsOwnQuestionAndANameIsUsedAsListed)
{
    window.selected[0] = QStringList{" a.txt"};
    window.selected[1] = QStringList{"a.txt", "gone.txt", "b.txt"};
    messages.answerYes();
    messages.answerCancel();
    messages.answerOk();
    FileOps::pressDelete(window);
    EXPECT_EQ(messages.texts(), (QStringList{Question, SourceQuestion, DestinationQuestion}));
    EXPECT_EQ(tree.names("src"), (QStringList{" a.txt", "a.txt", "b.txt"}));
    EXPECT_TRUE(tree.names("dst").isEmpty());
    EXPECT_EQ(window.statusLine, QStringLiteral("b.txt　　を削除中です。"));

    window.selected[1].clear();
    messages.clear();
    messages.answerYes();
    messages.answerOk();
    FileOps::pressDelete(window);
    EXPECT_EQ(tree.names("src"), (QStringList{"a.txt", "b.txt"}));
}

TEST_F(DeleteSelected, AFileThatCannotBeDeletedIsReportedAndEndsItsListOnly)
{
    tree.setReadOnly("src/a.txt");
    window.selected[0] = QStringList{"a.txt", "b.txt"};
    window.selected[1] = QStringList{"b.txt"};
    messages.answerYes();
    messages.answerOk();
    messages.answerOk();  // the error message
    messages.answerOk();
    FileOps::pressDelete(window);
    EXPECT_EQ(messages.texts().at(2), platform::errorMessageText(platform::makeError(75)) + QChar(13)
                                          + tree.path("src/a.txt"));
    EXPECT_EQ(tree.names("src"), (QStringList{" a.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(tree.names("dst"), QStringList{"a.txt"});
    EXPECT_EQ(window.calls, (QStringList{"refresh 0", "refresh 1", "reset", "focus"}));
}
