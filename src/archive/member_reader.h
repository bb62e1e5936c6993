#pragma once

#include <QString>

namespace platform {
class DataProgress;
}

// One entry of an archive as the extraction sees it.
struct ArchiveMember {
    enum class Kind { File, Folder, Link, Special };
    // Why the reader already knows it cannot give the member's data.
    enum class Obstacle { None, UnsupportedMethod, SizeBeyondReader, Unreadable };
    QString name;             // decoded, as stored: folders and name
    Kind kind = Kind::File;
    qint64 declaredSize = 0;  // the size of the data as the header gives it
    bool encrypted = false;
    Obstacle obstacle = Obstacle::None;
};

// How writing one member's data ended. Cut: fewer bytes than the header
// declares; UnsupportedOrDamaged: data that fails its check in a method that
// one archiver wrote in a form of its own; Cancelled: stopped by the user.
enum class MemberWrite { Written, Damaged, Cut, Encrypted, NoSpace, NotWritable, TooLarge, UnsupportedOrDamaged,
                         Cancelled };

// Walks the members of one archive, in archive order, for one library.
class MemberReader {
public:
    enum class Step { Member, End, Broken };

    virtual ~MemberReader() = default;

    // The next member; End after the last one; Broken when the archive cannot
    // be read on (not an archive of this kind, a damaged header).
    virtual Step next(ArchiveMember& member) = 0;

    // Writes the data of the member last returned into the new file that fd
    // opens, with the member's time, never past its declared size (TooLarge),
    // telling progress (when given) how far it is. A partial file is the
    // caller's to remove.
    virtual MemberWrite extractTo(int fd, platform::DataProgress* progress) = 0;
};
