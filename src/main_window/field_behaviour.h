#pragma once

#include <QString>

#include <optional>

// How the main window's fields and file lists react to the user: focus
// colours, hints, where Enter and the arrow keys send the focus, and what the
// folder fields check.
namespace FieldBehaviour {

// Text1 indices.
namespace Field {
constexpr int FileType = 0;
constexpr int SourceFolder = 1;
constexpr int DestFolder = 2;
constexpr int Prefix = 3;
constexpr int Suffix = 4;
}  // namespace Field

// Codes of CheckFolder.
namespace FolderCode {
constexpr int Source = 0;
constexpr int Destination = 2;
}  // namespace FolderCode

// The hint a field (Text1) or file list (File1) writes into the status line
// when it gains the focus.
QString fieldHint(int field);
QString listHint(int list);

// Where a key sends the focus. The key itself still reaches the field.
struct FocusMove {
    enum Kind { Stay, ToField, ToCopyButton };
    Kind kind = Stay;
    int field = -1;
};
FocusMove afterKeyPress(int field, int keyAscii);
FocusMove afterKeyDown(int field, int keyCode, int shift);

// A folder field: the CheckFolder code it runs and the field a picked folder
// moves the focus on to.
struct FolderField {
    int checkCode;
    int fieldAfterPick;
};
std::optional<FolderField> folderField(int field);

}  // namespace FieldBehaviour
