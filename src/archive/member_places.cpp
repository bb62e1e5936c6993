#include "archive/member_places.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Enough for any archive a person made; beyond it a member fails by name.
constexpr int MaxVariants = 10000;

// "photo (2).jpg": the number goes before the extension, which begins at the
// first "." after the name's first character.
QString variant(const QString& name, int number)
{
    const int dot = name.indexOf(QLatin1Char('.'), 1);
    const QString tag = QStringLiteral(" (%1)").arg(number);
    return dot < 0 ? name + tag : name.left(dot) + tag + name.mid(dot);
}

bool isFolder(const QByteArray& path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString relativeTo(const QString& root, const QString& path)
{
    return path.mid(root.size() + (root.endsWith(QLatin1Char('/')) ? 0 : 1));
}

}  // namespace

QString MemberPlaces::placeFolder(const QString& parent, const QString& name, const QString& shownFrom)
{
    for (int number = 1; number <= MaxVariants; ++number) {
        const QString path = platform::joinPath(parent, number == 1 ? name : variant(name, number));
        const QByteArray encoded = platform::encodeFileName(path);
        const bool made = ::mkdir(encoded.constData(), 0777) == 0;
        if (!made && errno != EEXIST)
            return QString();
        // A folder of an earlier member is shared; anything else keeps its name.
        if (made || isFolder(encoded)) {
            if (number > 1)
                renamed_.append({shownFrom, relativeTo(destinationFolder_, path)});
            return path;
        }
    }
    return QString();
}

QString MemberPlaces::folder(const QStringList& parts)
{
    QString path = destinationFolder_;
    QString key;
    for (const QString& part : parts) {
        key = key.isEmpty() ? part : key + QLatin1Char('/') + part;
        const auto known = folders_.constFind(key);
        if (known != folders_.constEnd()) {
            path = known.value();
            continue;
        }
        path = placeFolder(path, part, key);
        if (path.isEmpty())
            return QString();
        folders_.insert(key, path);
    }
    return path;
}

MemberPlaces::NewFile MemberPlaces::createFile(const QStringList& parts)
{
    NewFile file;
    const QString folderPath = folder(parts.mid(0, parts.size() - 1));
    if (folderPath.isEmpty())
        return file;
    const QString& name = parts.last();
    for (int number = 1; number <= MaxVariants; ++number) {
        file.path = platform::joinPath(folderPath, number == 1 ? name : variant(name, number));
        // 0666: the kernel takes the user's umask off, as for any new file.
        file.fd = ::open(platform::encodeFileName(file.path).constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file.fd >= 0) {
            file.shownPath = relativeTo(destinationFolder_, file.path);
            if (number > 1)
                renamed_.append({parts.join(QLatin1Char('/')), file.shownPath});
            return file;
        }
        if (errno != EEXIST)
            return file;
    }
    errno = EEXIST;
    return file;
}
