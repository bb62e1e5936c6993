#pragma once

#include "shared/folder_picker.h"

#include <QStringList>

#include <gtest/gtest.h>

// Stands in for the folder dialog while it lives, answering from a script; an
// unscripted pick fails the test, and so does a scripted one never asked for.
struct ScriptedFolderPicker : MarlowFuncUtility::FolderPicker {
    ScriptedFolderPicker() { MarlowFuncUtility::setFolderPicker(this); }
    ~ScriptedFolderPicker() override
    {
        MarlowFuncUtility::setFolderPicker(nullptr);
        EXPECT_TRUE(answers.isEmpty()) << answers.size() << " scripted picks were never asked for";
    }

    void choose(const QString& folder) { answers.append(folder); }
    void cancel() { answers.append(QString()); }

    QString pickFolder(const QString& /*title*/) override
    {
        EXPECT_FALSE(answers.isEmpty()) << "unscripted folder pick";
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    QStringList answers;
};
