#pragma once

#include <QString>

// One entry of an archive as the extraction sees it.
struct ArchiveMember {
    enum class Kind { File, Folder, Link, Special };
    QString name;             // decoded, as stored: folders and name
    Kind kind = Kind::File;
    qint64 declaredSize = 0;  // the size of the data as the header gives it
    bool encrypted = false;
};

// How writing one member's data ended.
enum class MemberWrite { Written, Damaged, Encrypted, NoSpace, NotWritable, TooLarge };

// Walks the members of one archive, in archive order, for one library.
class MemberReader {
public:
    enum class Step { Member, End, Broken };

    virtual ~MemberReader() = default;

    // The next member; End after the last one; Broken when the archive cannot
    // be read on (not an archive of this kind, a damaged header, a method the
    // library does not know).
    virtual Step next(ArchiveMember& member) = 0;

    // Writes the data of the member last returned into a new file at path,
    // with the member's time and the user's default mode, never past its
    // declared size (TooLarge). A partial file is the caller's to remove.
    virtual MemberWrite extractTo(const QString& path) = 0;
};
