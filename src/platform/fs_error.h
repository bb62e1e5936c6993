#pragma once

#include <QString>

namespace platform {

// A failed file-system operation, carried as the classic run-time error number
// with a short Japanese description. number 0 means success.
struct FsError {
    int number = 0;
    QString description;

    bool failed() const { return number != 0; }
    // The user stopped the operation: nothing to report as an error.
    bool cancelled() const;
};

namespace ErrorNumber {
constexpr int UserInterrupt = 18;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int FileAlreadyExists = 58;
constexpr int DiskFull = 61;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int OtherVolume = 74;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
}  // namespace ErrorNumber

FsError makeError(int number);
QString errorDescription(int number);

// Maps errno of an operation on path to a run-time error number: ENOENT is
// "file not found" when the parent folder exists and "path not found" when not.
FsError errorFromErrno(int errnoValue, const QString& path);

// "Error-" + " " + number + CR + description, the text of every error message.
QString errorMessageText(const FsError& error);

}  // namespace platform
