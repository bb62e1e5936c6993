// The process the kill test kills. Told "move", it moves every file of a folder as one journaled run,
// the sources deleted in small groups, a line as each file starts; "copy" copies them, flushed in the
// same groups; "in-place" renumbers them in place (f000 to f001, ...), every new name that of a later
// source; "undo" renumbers in place, then undoes that, a line as each file starts.
#include "file_ops/copy_one_file.h"
#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
#include "file_ops/run_journal.h"
#include "file_ops/undo_run.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "shared/run_progress.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

// Says each file of an undo as it starts.
struct LineEachFile : RunProgressView {
    void begin() override {}
    bool update(const RunProgressFigures&, bool) override
    {
        std::puts("undoing");
        return false;
    }
    void end() override {}
};

// The move (or renumbering) as one journaled run, its journal let go at the end.
int moveAll(const QStringList& arguments, QString& journalPath)
{
    const QString source = arguments.at(0), destination = arguments.at(1);
    const QStringList names = QDir(source).entryList(QDir::Files, QDir::Name);
    const bool copying = arguments.at(4) == "copy";
    const bool inPlace = arguments.at(4) == "in-place" || arguments.at(4) == "undo";
    auto newName = [inPlace, copying](int i, const QString& name) {
        return inPlace ? QString::asprintf("f%03d.bin", i + 1) : (copying ? "copied_" : "moved_") + name;
    };
    FileOps::RunJournal journal(arguments.at(3), copying ? FileOps::RunKind::Copy : FileOps::RunKind::Move);
    QVector<FileOps::PlannedFile> planned;
    for (int i = 0; i < names.size(); ++i)
        planned.append({0, names.at(i), 1, newName(i, names.at(i))});
    if (journal.plan({source, destination}, planned).failed())
        return 3;
    FileOps::PlacementPlan plan(destination, QDir(destination).entryList(QDir::Files),
                                platform::letterCaseOf(destination), journal);
    plan.addSources(source, names);
    FileOps::MovedSources group(journal, 25, 100);
    FileOps::PlacementRun run{journal, &plan, &group};
    for (int i = 0; i < names.size(); ++i) {
        std::puts("copying");
        run.item = i;
        if (FileOps::copyOneFile(run, {source + '/' + names.at(i), newName(i, names.at(i)), destination,
                                       arguments.at(2), !copying, inPlace}) > 0)
            return 1;
    }
    const int stop = group.finish();
    journalPath = journal.path();
    return stop > 0 || journal.end().failed() ? 1 : 0;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The test counts the lines as they come.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList arguments = app.arguments().mid(1);  // source, destination, staging, journals, mode
    if (arguments.size() != 5)
        return 2;
    QString journalPath;
    const int moved = moveAll(arguments, journalPath);
    if (moved != 0 || arguments.at(4) != "undo")
        return moved;
    LineEachFile lines;
    RunProgress::setTimingForTests(0, 0);
    RunProgress progress(&lines, 0);
    const FileOps::UndoOutcome outcome = FileOps::undoRun(journalPath, progress);
    return outcome.error.failed() || !outcome.left.isEmpty() ? 1 : 0;
}
