#include "platform/fs_error.h"

#include "platform/file_name_codec.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <sys/stat.h>

namespace platform {

QString errorDescription(int number)
{
    switch (number) {
    case ErrorNumber::UserInterrupt: return QStringLiteral("中止しました。");
    case ErrorNumber::BadFileName: return QStringLiteral("ファイル名が正しくありません。");
    case ErrorNumber::FileNotFound: return QStringLiteral("ファイルが見つかりません。");
    case ErrorNumber::DeviceIo: return QStringLiteral("デバイス I/O エラーです。");
    case ErrorNumber::FileAlreadyExists: return QStringLiteral("同じ名前のファイルが既に存在します。");
    case ErrorNumber::DiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case ErrorNumber::DeviceUnavailable: return QStringLiteral("デバイスが使用できません。");
    case ErrorNumber::PermissionDenied: return QStringLiteral("アクセスが拒否されました。");
    case ErrorNumber::OtherVolume: return QStringLiteral("別のドライブへ名前を変更することはできません。");
    case ErrorNumber::PathFileAccess: return QStringLiteral("パス名またはファイル名へのアクセスエラーです。");
    case ErrorNumber::PathNotFound: return QStringLiteral("パスが見つかりません。");
    default: return QStringLiteral("予期しないエラーが発生しました。");
    }
}

bool FsError::cancelled() const
{
    return number == ErrorNumber::UserInterrupt;
}

FsError makeError(int number, const QString& path)
{
    return FsError{number, errorDescription(number), path};
}

static bool parentFolderExists(const QString& path)
{
    struct stat info;
    return ::stat(encodeFileName(parentOf(path)).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

static int numberOf(int errnoValue, const QString& path)
{
    switch (errnoValue) {
    case ENOENT: return parentFolderExists(path) ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound;
    case ENOTDIR: return ErrorNumber::PathNotFound;
    case EINVAL:
    case ENAMETOOLONG:
    case EILSEQ: return ErrorNumber::BadFileName;
    case EIO: return ErrorNumber::DeviceIo;
    case EEXIST: return ErrorNumber::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ErrorNumber::DiskFull;
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM: return ErrorNumber::DeviceUnavailable;
    case EACCES:
    case EPERM: return ErrorNumber::PermissionDenied;
    default: return ErrorNumber::PathFileAccess;
    }
}

FsError errorFromErrno(int errnoValue, const QString& path)
{
    return errnoValue == 0 ? FsError{} : makeError(numberOf(errnoValue, path), path);
}

QString errorMessageText(const FsError& error)
{
    const QString text = QStringLiteral("Error- ") + QString::number(error.number) + QChar(13) + error.description;
    return error.path.isEmpty() ? text : text + QChar(13) + readableFileName(error.path);
}

}  // namespace platform
