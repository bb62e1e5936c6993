#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A temporary folder for one test, with short ways to build and read files.
class TempTree {
public:
    TempTree() { EXPECT_TRUE(dir_.isValid()); }
    // The toolkit cannot name every file a test leaves: entries go by their bytes.
    ~TempTree() { removeRaw(QByteArray()); }

    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return relative.isEmpty() ? root() : root() + '/' + relative; }

    QString writeFile(const QString& relative, const QByteArray& content = QByteArray("x"));
    QByteArray readFile(const QString& relative) const { return readRaw(QFile::encodeName(relative)); }
    QString makeFolder(const QString& relative);
    bool exists(const QString& relative) const;
    // Names in a folder (hidden ones included), sorted.
    QStringList names(const QString& relative = QString()) const;
    void setReadOnly(const QString& relative);
    // Files under names that are not UTF-8, by their exact bytes; parents are made.
    void writeRaw(const QByteArray& relative, const QByteArray& content = QByteArray("x"));
    QByteArray readRaw(const QByteArray& relative) const;  // empty when missing
    bool existsRaw(const QByteArray& relative) const;
    void removeRaw(const QByteArray& relative);  // with all it holds

private:
    QByteArray rawPath(const QByteArray& relative) const
    {
        return relative.isEmpty() ? QFile::encodeName(root()) : QFile::encodeName(root()) + '/' + relative;
    }

    QTemporaryDir dir_;
};

// A file's content read by the exact bytes of its path; empty when missing.
QByteArray readRawFile(const QByteArray& path);
