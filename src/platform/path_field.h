#pragma once

#include <QPlainTextEdit>

namespace platform {

// A multi-line field that holds a folder path. It shows the path's readable
// form and keeps the exact path it was given, against which the text the user
// types is read back (exactPathOf): editing never turns the bytes of a name
// into the replacement characters the field shows for them.
class PathField : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    void setPath(const QString& exactPath);
    const QString& heldPath() const { return heldPath_; }

private:
    QString heldPath_;
};

}  // namespace platform
