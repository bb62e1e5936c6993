#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// Where the members of one extraction land below its folder. Every member
// gets a place of its own: a name already taken, by an earlier member or by
// a folder, a file or a link, is never replaced nor followed: the member
// lands as "name (2).ext" and the change is noted, as is a name the file
// system refuses, cut short or with full-width forms of FAT's refused
// characters. A folder renamed so holds every later member of that folder.
class MemberPlaces {
public:
    explicit MemberPlaces(const QString& destinationFolder) : destinationFolder_(destinationFolder) {}

    struct Renamed {
        QString from;  // the place the member would have had, "/" between parts
        QString to;
        bool refused = false;  // the file system refused the name (too long, or a character), not taken
    };

    // The folder of parts, made where missing; empty when it cannot be made.
    QString folder(const QStringList& parts);

    struct NewFile {
        int fd = -1;      // open for writing; -1 with errno set when the file cannot be made
        QString path;
        QString shownPath;  // below the extraction folder, "/" between parts
    };

    // A new, empty file for the member at parts (folders and name).
    NewFile createFile(const QStringList& parts);

    const QVector<Renamed>& renamed() const { return renamed_; }

private:
    QString placeFolder(const QString& parent, const QString& name, const QString& shownFrom);

    const QString destinationFolder_;
    QHash<QString, QString> folders_;  // member folder, "/" between parts -> its path
    QVector<Renamed> renamed_;
};
