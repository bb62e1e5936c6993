#pragma once

#include "archive/archive_work_folder.h"
#include "archive/extract_archive.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

// Archives extracted as a double-click extracts them, each into an emptied
// work folder.
class ExtractionTest : public ::testing::Test {
protected:
    void extract(const QString& name, const QByteArray& bytes, ExtractionProgress* progress = nullptr)
    {
        ArchiveWorkFolder::makeEmpty(melt);
        messages.clear();
        count = -1;
        MarlowFuncUtility::ExtractArchive(tree.writeFile("in/" + name, bytes), melt + "/", count, result, progress);
    }

    ScriptedMessages messages;
    TempTree tree;
    QString melt = tree.makeFolder("MELT");
    qint32 count = -1;
    qint16 result = -1;
};
