#pragma once

#include <QString>

class QFont;
class QPlainTextEdit;
class QTextOption;

namespace platform {

// Shows a folder field's text as a path: wrapped at any character, and when it
// needs more lines than the field shows, while the user is not editing it,
// its end after a "…" with the whole path as the tool tip. Only the drawing
// changes: the text stays the whole path, and editing it shows it all.
void showAsPath(QPlainTextEdit* field, int lines);

// The longest end of path that fits into lines of width after a "…"; path
// itself when it fits whole.
QString pathEndThatFits(const QString& path, const QFont& font, const QTextOption& wrapping, qreal width,
                        int lines);

}  // namespace platform
