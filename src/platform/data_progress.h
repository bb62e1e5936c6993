#pragma once

#include <QtGlobal>

namespace platform {

// Follows the data of one file while it is written, so that a long copy keeps
// the screen alive and can be stopped within the file.
class DataProgress {
public:
    virtual ~DataProgress() = default;
    // bytes of the file are written so far; told at least every few MiB. False
    // stops the writing: the partial file is removed and the operation fails
    // as cancelled (FsError::cancelled).
    virtual bool written(qint64 bytes) = 0;
};

}  // namespace platform
