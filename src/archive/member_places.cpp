#include "archive/member_places.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"

#include <cerrno>
#include <limits>
#include <optional>
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

// Names are cut only once the file system refuses one for its length: exFAT
// takes 255 UTF-16 characters, more than the 255 bytes it gives as its limit.
constexpr int NoLimit = std::numeric_limits<int>::max();

// The name to try for the number'th place. A name longer than the file system
// takes (a Windows name of 100 Japanese characters is 300 bytes on ext4) is
// cut short, keeping its number and its extension, which tells the file's type.
QString candidate(const QString& name, int number, int limit)
{
    const QString full = number == 1 ? name : variant(name, number);
    if (limit == NoLimit || platform::encodeFileName(full).size() <= limit)
        return full;
    const QString tag = number == 1 ? QString() : QStringLiteral(" (%1)").arg(number);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    QString extension = dot > 0 ? name.mid(dot) : QString();
    if (platform::encodeFileName(tag + extension).size() >= limit)
        extension.clear();
    QString stem = name.left(name.size() - extension.size());
    while (stem.size() > 1 && platform::encodeFileName(stem + tag + extension).size() > limit)
        stem.chop(stem.at(stem.size() - 1).isLowSurrogate() ? 2 : 1);
    return stem + tag + extension;
}

// A FAT or exFAT disk refuses these in a name; Japanese Windows users know
// their full-width forms.
QString withFullWidthForFat(const QString& name)
{
    static const QString refused = QStringLiteral("\"*:<>?|");
    static const QString fullWidth = QStringLiteral("＂＊：＜＞？｜");
    QString usable = name;
    for (QChar& c : usable) {
        const int at = refused.indexOf(c);
        if (at >= 0)
            c = fullWidth.at(at);
    }
    return usable;
}

// The names to try for a member in folder, one after another: its own, then
// "name (n).ext" while a name is taken; cut short, or with full-width forms,
// where the file system refuses it.
class NameTries {
public:
    NameTries(const QString& folder, const QString& name) : folder_(folder), name_(name), wanted_(name) {}

    QString name() const { return candidate(wanted_, number_, limit_); }
    // After a failure with error; false when no other name is worth a try.
    bool next(int error)
    {
        if (error == ENAMETOOLONG && limit_ == NoLimit) {
            limit_ = platform::maxFileNameBytes(folder_);
            return true;
        }
        if (error != EEXIST && wanted_ == name_) {
            wanted_ = withFullWidthForFat(name_);
            if (wanted_ != name_)
                return true;
        }
        return error == EEXIST && ++number_ <= MaxVariants;
    }
    // The name the member got, when another than its own.
    std::optional<MemberPlaces::Renamed> renamed(const QString& from, const QString& to) const
    {
        if (name() == name_)
            return std::nullopt;
        return MemberPlaces::Renamed{from, to, number_ == 1 || wanted_ != name_};
    }

private:
    const QString folder_, name_;
    QString wanted_;
    int number_ = 1;
    int limit_ = NoLimit;
};

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
    NameTries tries(parent, name);
    do {
        const QString path = platform::joinPath(parent, tries.name());
        const QByteArray encoded = platform::encodeFileName(path);
        // A folder of an earlier member is shared; anything else keeps its name.
        if (::mkdir(encoded.constData(), 0777) == 0 || (errno == EEXIST && isFolder(encoded))) {
            if (const auto renamed = tries.renamed(shownFrom, relativeTo(destinationFolder_, path)))
                renamed_.append(*renamed);
            return path;
        }
    } while (tries.next(errno));
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
    NameTries tries(folderPath, parts.last());
    do {
        file.path = platform::joinPath(folderPath, tries.name());
        // 0666: the kernel takes the user's umask off, as for any new file.
        file.fd = ::open(platform::encodeFileName(file.path).constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file.fd >= 0) {
            file.shownPath = relativeTo(destinationFolder_, file.path);
            if (const auto renamed = tries.renamed(parts.join(QLatin1Char('/')), file.shownPath))
                renamed_.append(*renamed);
            return file;
        }
    } while (tries.next(errno));
    return file;  // errno tells why
}
