// Names of Velda's own temporary files in the user's folders.
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "platform/path_parts.h"

#include <QRandomGenerator>

#include <unistd.h>

namespace platform {

namespace {

QString temporaryPathBeside(const QString& path, const QString& suffix)
{
    return joinPath(parentOf(path), QStringLiteral(".velda-%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                    QLatin1Char('0'))
                                        + suffix);
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

}  // namespace

QString partPathBeside(const QString& path)
{
    return temporaryPathBeside(path, QStringLiteral(".part"));
}

QString holdPathBeside(const QString& path)
{
    return temporaryPathBeside(path, QStringLiteral(".hold"));
}

void discardTemporaryFile(const QString& temporary)
{
    ::unlink(encodeFileName(temporary).constData());
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
