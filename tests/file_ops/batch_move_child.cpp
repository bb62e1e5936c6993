// The process the kill test kills: moves every file of a folder, the sources
// deleted in small groups, writing a line as each file starts. Given an
// account path as well, it renumbers the files in place instead (f000 to
// f001, f001 to f002, ...), every new name that of a later source.
#include "file_ops/copy_one_file.h"
#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);  // source, destination, staging [, account]
    if (arguments.size() != 3 && arguments.size() != 4)
        return 2;
    const QStringList names = QDir(arguments.at(0)).entryList(QDir::Files, QDir::Name);
    const bool inPlace = arguments.size() == 4;
    auto newName = [inPlace](int i, const QString& name) {
        return inPlace ? QString::asprintf("f%03d.bin", i + 1) : "moved_" + name;
    };
    if (inPlace)
        platform::setPlacementAccount(arguments.at(3));
    FileOps::PlacementPlan plan(arguments.at(1), QDir(arguments.at(1)).entryList(QDir::Files),
                                platform::letterCaseOf(arguments.at(1)));
    plan.addSources(arguments.at(0), names);
    FileOps::MovedSources group(25, 100);
    for (int i = 0; i < names.size(); ++i) {
        std::puts("copying");
        std::fflush(stdout);
        if (FileOps::copyOneFile({arguments.at(0) + '/' + names.at(i), newName(i, names.at(i)), arguments.at(1), arguments.at(2),
                                  true, inPlace}) > 0)
            return 1;
    }
    return group.finish();
}
