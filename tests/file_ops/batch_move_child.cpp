// Moves every file of a folder, the sources deleted in small groups, writing
// a line as each file starts: the process the kill test kills.
#include "file_ops/copy_one_file.h"
#include "file_ops/moved_sources.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

class PrintMessages : public platform::MessagePresenter {
public:
    platform::MessageAnswer present(const QString& text, platform::MessageButtons) override
    {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return platform::MessageAnswer::Ok;
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
    PrintMessages messages;
    platform::setMessagePresenter(&messages);
    FileOps::MovedSources group(25, 100);
    for (const QString& name : QDir(folders.at(0)).entryList(QDir::Files, QDir::Name)) {
        std::fputs("copying\n", stdout);
        std::fflush(stdout);
        if (FileOps::copyOneFile({folders.at(0) + QLatin1Char('/') + name, QStringLiteral("moved_") + name,
                                  folders.at(1), folders.at(2), true, false})
            > 0)
            return 1;
    }
    return group.finish();
}
