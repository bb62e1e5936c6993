// Moves every file of a folder in one batch copy run, writing a line as each
// file starts: the process the kill test kills.
#include "file_ops/folder_copy_window.h"
#include "platform/message_box.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

class AnswerYes : public platform::MessagePresenter {
public:
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        if (buttons == platform::MessageButtons::Ok)
            std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                          : platform::MessageAnswer::Ok;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList folders = app.arguments().mid(1);
    if (folders.size() != 3) {
        std::fprintf(stderr, "usage: velda_batch_move_child source destination staging\n");
        return 2;
    }
    AnswerYes answers;
    platform::setMessagePresenter(&answers);
    FolderCopyWindow window(folders.at(0), folders.at(1), folders.at(2));
    window.move = true;
    window.rules.Prefix = QStringLiteral("moved_");
    window.statusWatcher = [](const QString& text) {
        if (!text.isEmpty()) {
            std::fputs("copying\n", stdout);
            std::fflush(stdout);
        }
    };
    FileOps::runBatchCopy(window);
    return 0;
}
