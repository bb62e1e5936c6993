#pragma once

#include "platform/data_progress.h"

#include <QString>

// What an extraction tells the window that shows its progress; written()
// follows the data of the member being written and can stop within it.
class ExtractionProgress : public platform::DataProgress {
public:
    ~ExtractionProgress() override = default;
    // The archive was recognised and its members are about to be written, once
    // the destination's room is checked: its headers list files files, of
    // bytes bytes in all. False leaves the destination folder unused.
    virtual bool planned(int files, qint64 bytes) = 0;
    // Work on the member begins; false stops the run before it.
    virtual bool beforeMember(const QString& memberName) = 0;
    // A member that is not a folder is done with: written (bytes of data) or not (0).
    virtual void fileDone(qint64 bytes) = 0;
    // A progress that counts whole members only lets the data run on.
    bool written(qint64 /*bytes*/) override { return true; }
};
