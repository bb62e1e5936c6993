#include "main_window/field_behaviour.h"

#include "platform/control_array.h"

namespace FieldBehaviour {

namespace {

FocusMove toField(int field)
{
    return FocusMove{FocusMove::ToField, field};
}

FocusMove toCopyButton()
{
    return FocusMove{FocusMove::ToCopyButton, -1};
}

struct ArrowRule {
    int keyCode;
    bool needsShiftAlone;
    int from;
    FocusMove move;
};

const ArrowRule arrowRules[] = {
    {platform::Key::Up, false, Field::FileType, toField(Field::SourceFolder)},
    {platform::Key::Up, false, Field::Suffix, toField(Field::Prefix)},
    {platform::Key::Down, false, Field::SourceFolder, toField(Field::FileType)},
    {platform::Key::Down, false, Field::Prefix, toField(Field::Suffix)},
    {platform::Key::Down, false, Field::Suffix, toCopyButton()},
    {platform::Key::Right, true, Field::SourceFolder, toField(Field::DestFolder)},
    {platform::Key::Left, true, Field::DestFolder, toField(Field::SourceFolder)},
};

}  // namespace

QString fieldHint(int field)
{
    switch (field) {
    case Field::FileType: return QStringLiteral("ファイルの種類（拡張子）を指定してください。");
    case Field::SourceFolder:
        return QStringLiteral("コピー元フォルダーを指定してください。（ダブルクリックで候補が表示されます。）");
    case Field::DestFolder:
        return QStringLiteral("コピー先フォルダーを指定してください。（ダブルクリックで候補が表示されます。）");
    case Field::Prefix: return QStringLiteral("コピー後のファイル名につける接頭語を指定してください。");
    case Field::Suffix: return QStringLiteral("コピー後のファイル名につける接尾辞を指定してください。");
    default: return QString();
    }
}

QString listHint(int list)
{
    switch (list) {
    case 0: return QStringLiteral("コピーまたは削除するファイルを選択してください。（圧縮ファイルの解凍はダブルクリック）");
    case 1: return QStringLiteral("削除するファイルを選択してください。");
    default: return QString();
    }
}

FocusMove afterKeyPress(int field, int keyAscii)
{
    if (keyAscii != platform::Key::Enter)
        return FocusMove{};
    switch (field) {
    case Field::SourceFolder: return toField(Field::FileType);
    case Field::FileType: return toField(Field::DestFolder);
    case Field::DestFolder: return toField(Field::Prefix);
    case Field::Prefix: return toField(Field::Suffix);
    case Field::Suffix: return toCopyButton();
    default: return FocusMove{};
    }
}

FocusMove afterKeyDown(int field, int keyCode, int shift)
{
    for (const ArrowRule& rule : arrowRules) {
        if (rule.keyCode == keyCode && rule.from == field
            && (!rule.needsShiftAlone || shift == platform::ShiftState::Shift))
            return rule.move;
    }
    return FocusMove{};
}

std::optional<FolderField> folderField(int field)
{
    switch (field) {
    case Field::SourceFolder: return FolderField{FolderCode::Source, Field::FileType};
    case Field::DestFolder: return FolderField{FolderCode::Destination, Field::Prefix};
    default: return std::nullopt;
    }
}

}  // namespace FieldBehaviour
