// Velda's own temporary files in the user's folders and the account that
// lets the next start settle what a killed run left behind.
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "platform/path_parts.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString placementAccount;
int placementAccountFd = -1;  // open from the first note to the next change of account

void closePlacementAccount()
{
    if (placementAccountFd >= 0)
        ::close(placementAccountFd);
    placementAccountFd = -1;
}

const QString TemporaryPrefix = QStringLiteral(".velda-");
const QString PartSuffix = QStringLiteral(".part");
const QString HoldSuffix = QStringLiteral(".hold");

bool isTemporaryName(const QString& name, const QString& suffix)
{
    return name.startsWith(TemporaryPrefix) && name.endsWith(suffix);
}

QByteArray record(const QByteArray& temporary, const QByteArray& originalPath)
{
    return temporary + '\0' + originalPath + '\0';
}

// stem cut from its end, never inside a character, until stem + tail fits in
// limit bytes.
QString fittedName(QString stem, const QString& tail, int limit)
{
    const int tailBytes = int(encodeFileName(tail).size());
    while (!stem.isEmpty() && encodeFileName(stem).size() + tailBytes > limit) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.at(stem.size() - 1).isHighSurrogate())
            stem.chop(1);
    }
    return stem + tail;
}

enum class Settled { Done, Kept };

// Settles one record; Kept when it must be tried again at the next start.
Settled settle(const QByteArray& temporaryBytes, const QString& original, QVector<QPair<QString, QString>>& restored,
               FsError& firstError)
{
    const QString temporary = decodeFileName(temporaryBytes);
    auto failed = [&firstError](const FsError& error) {
        if (!firstError.failed())
            firstError = error;
        return Settled::Kept;
    };
    struct stat info;
    if (::lstat(temporaryBytes.constData(), &info) != 0) {
        // Gone with its folder (a stick unplugged): its turn comes when the folder is back.
        return errno == ENOENT && !folderExists(parentOf(temporary)) ? Settled::Kept : Settled::Done;
    }
    if (!S_ISREG(info.st_mode))
        return Settled::Done;
    const QString name = nameOf(temporary);
    if (isTemporaryName(name, PartSuffix)) {
        if (::unlink(temporaryBytes.constData()) != 0)
            return failed(errorFromErrno(errno, temporary));
    } else if (isTemporaryName(name, HoldSuffix) && !original.isEmpty()) {
        const QString target = firstFreePath(original);
        const FsError error = renameFile(temporary, target);
        if (error.failed())
            return failed(error);
        restored.append({original, target});
    }
    return Settled::Done;
}

}  // namespace

QString partPathBeside(const QString& path)
{
    return joinPath(parentOf(path), TemporaryPrefix
                        + QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                        + PartSuffix);
}

void discardTemporaryFile(const QString& temporary)
{
    ::unlink(encodeFileName(temporary).constData());
}

void setPlacementAccount(const QString& accountPath)
{
    closePlacementAccount();
    placementAccount = accountPath;
}

// Records are pairs of paths as their bytes, each ended by a NUL (a name may
// hold a line break): the temporary file and the path it came from, if any.
FsError noteTemporaryFile(const QString& temporary, const QString& originalPath)
{
    if (placementAccount.isEmpty())
        return FsError{};
    // Kept open: a run across file systems notes every file.
    if (placementAccountFd < 0)
        placementAccountFd = ::open(encodeFileName(placementAccount).constData(),
                                    O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (placementAccountFd < 0)
        return errorFromErrno(errno, placementAccount);
    const QByteArray line = record(encodeFileName(temporary), encodeFileName(originalPath));
    if (::write(placementAccountFd, line.constData(), size_t(line.size())) != ssize_t(line.size())) {
        const int writeErrno = errno ? errno : ENOSPC;
        closePlacementAccount();
        return errorFromErrno(writeErrno, placementAccount);
    }
    return FsError{};
}

FsError settleUnfinishedPlacements(const QString& accountPath, QVector<QPair<QString, QString>>& restored)
{
    if (accountPath == placementAccount)
        closePlacementAccount();
    QFile account(accountPath);
    if (!account.exists())
        return FsError{};
    if (!account.open(QIODevice::ReadOnly))
        return errorFromErrno(EACCES, accountPath);
    const QList<QByteArray> fields = account.readAll().split('\0');
    account.close();
    FsError first;
    QByteArray unsettled;
    for (int i = 0; i + 1 < fields.size(); i += 2) {
        if (settle(fields.at(i), decodeFileName(fields.at(i + 1)), restored, first) == Settled::Kept)
            unsettled += record(fields.at(i), fields.at(i + 1));
    }
    if (unsettled.isEmpty()) {
        if (::unlink(encodeFileName(accountPath).constData()) != 0 && !first.failed())
            first = errorFromErrno(errno, accountPath);
        return first;
    }
    // Replaced in one step: a crash while writing keeps the old account.
    QSaveFile kept(accountPath);
    if (!kept.open(QIODevice::WriteOnly) || kept.write(unsettled) != unsettled.size() || !kept.commit()) {
        if (!first.failed())
            first = errorFromErrno(EIO, accountPath);
    }
    return first;
}

QString firstFreePath(const QString& path)
{
    if (!pathExists(path))
        return path;
    const QString folder = parentOf(path);
    const QString name = nameOf(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    // A name already at the file system's limit gives up the end of its stem.
    const int limit = maxFileNameBytes(folder);
    for (int n = 2;; ++n) {
        const QString candidate =
            joinPath(folder, fittedName(stem, QStringLiteral(" (%1)").arg(n) + extension, limit));
        if (!pathExists(candidate))
            return candidate;
    }
}

}  // namespace platform
