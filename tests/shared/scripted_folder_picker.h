#pragma once

#include "shared/folder_picker.h"

#include <QStringList>

#include <gtest/gtest.h>

// Stands in for the folder dialog while it lives, answering from a script (an
// empty answer cancels). An unscripted pick fails the test, and so does a
// scripted one never asked for.
class ScriptedFolderPicker : public MarlowFuncUtility::FolderPicker {
public:
    ScriptedFolderPicker() { MarlowFuncUtility::setFolderPicker(this); }
    ~ScriptedFolderPicker() override
    {
        MarlowFuncUtility::setFolderPicker(nullptr);
        EXPECT_TRUE(answers_.isEmpty()) << answers_.size() << " scripted picks were never asked for";
    }

    void choose(const QString& folder) { answers_.append(folder); }
    void cancel() { answers_.append(QString()); }

    QString pickFolder(const QString& /*title*/) override
    {
        EXPECT_FALSE(answers_.isEmpty()) << "unscripted folder pick";
        return answers_.isEmpty() ? QString() : answers_.takeFirst();
    }

private:
    QStringList answers_;
};
