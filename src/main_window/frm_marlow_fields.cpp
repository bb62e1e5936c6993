#include "main_window/frm_marlow.h"

#include "main_window/field_behaviour.h"
#include "platform/vb_look.h"
#include "shared/field_colors.h"
#include "shared/folder_check.h"
#include "shared/folder_picker.h"
#include "shared/result_value.h"

#include <QLabel>

using namespace FieldBehaviour;

namespace {

QString& storedFolder(frmMarlow& form, int checkCode)
{
    return checkCode == FolderCode::Source ? form.SourceFolder : form.DestFolder;
}

FolderCheck::FolderSide folderSide(frmMarlow& form, int field, int list, QString& stored)
{
    return FolderCheck::FolderSide{
        form.text1(field),
        form.pathField(field)->heldPath(),
        [&form, field](const QString& path) { form.pathField(field)->setPath(path); },
        [&form, list](const QString& folder) { return form.fileList(list)->setPath(folder); },
        stored};
}

void moveFocus(frmMarlow& form, const FocusMove& move)
{
    switch (move.kind) {
    case FocusMove::Stay: break;
    case FocusMove::ToField: platform::focusControl(form.Text1.control(move.field)); break;
    case FocusMove::ToCopyButton: platform::focusControl(form.Command1.control(0)); break;
    }
}

}  // namespace

void frmMarlow::Text1_GotFocus(int Index)
{
    platform::setBackColor(Text1.control(Index), FieldColor::Focused);
    Label2->setText(fieldHint(Index));
}

void frmMarlow::Text1_LostFocus(int Index)
{
    if (Index == Field::FileType) {
        platform::setBackColor(Text1.control(Index), FieldColor::Visited);
        fileList(0)->setPattern(text1(Field::FileType));
        return;
    }
    applyFolderField(Index);
}

void frmMarlow::applyFolderField(int Index)
{
    const std::optional<FolderField> folder = folderField(Index);
    // A refused folder keeps the look of the field in focus while its box is up.
    if (folder && FolderCheck::fieldDiffers(text1(Index), storedFolder(*this, folder->checkCode))
        && CheckFolder(folder->checkCode) > ResultValue::Proceed) {
        platform::focusControl(Text1.control(Index));
        return;
    }
    platform::setBackColor(Text1.control(Index), FieldColor::Visited);
    if (folder)
        pathField(Index)->setPath(storedFolder(*this, folder->checkCode));
}

void frmMarlow::Text1_KeyDown(int Index, int KeyCode, int Shift)
{
    moveFocus(*this, afterKeyDown(Index, KeyCode, Shift));
}

void frmMarlow::Text1_KeyPress(int Index, int KeyAscii)
{
    moveFocus(*this, afterKeyPress(Index, KeyAscii));
}

void frmMarlow::Text1_DblClick(int Index)
{
    const std::optional<FolderField> folder = folderField(Index);
    if (!folder)
        return;
    const QString pick = MarlowFuncUtility::BrowseForFolder();
    if (MarlowFuncUtility::IsCancelledPick(pick)) {
        pathField(Index)->setPath(storedFolder(*this, folder->checkCode));
        CheckFolder(folder->checkCode);
        platform::focusControl(Text1.control(Index));
        return;
    }
    pathField(Index)->setPath(MarlowFuncUtility::PickedPath(pick));
    CheckFolder(folder->checkCode);
    platform::focusControl(Text1.control(folder->fieldAfterPick));
}

void frmMarlow::File1_GotFocus(int Index)
{
    Label2->setText(listHint(Index));
}

qint16 frmMarlow::CheckFolder(int code)
{
    switch (code) {
    case FolderCode::Source:
        fileList(0)->setPattern(text1(Field::FileType));
        return FolderCheck::checkSource(folderSide(*this, Field::SourceFolder, 0, SourceFolder));
    case FolderCode::Destination: {
        const qint16 refusal = FolderCheck::checkDestination(folderSide(*this, Field::DestFolder, 1, DestFolder));
        fileList(1)->refresh();
        return refusal;
    }
    default:
        return ResultValue::Proceed;
    }
}
