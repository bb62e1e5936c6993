#include "shared/folder_picker.h"

#include "shared/typed_text.h"

#include <QtGlobal>

namespace MarlowFuncUtility {

namespace {

// The classic picker filled a buffer of this many NUL characters.
constexpr int PickBufferLength = 256;

class CancellingPicker : public FolderPicker {
public:
    QString pickFolder(const QString& title) override
    {
        qWarning("Velda: no folder picker installed: %s", qUtf8Printable(title));
        return QString();
    }
};

CancellingPicker fallbackPicker;
FolderPicker* currentPicker = &fallbackPicker;

}  // namespace

void setFolderPicker(FolderPicker* picker)
{
    currentPicker = picker ? picker : &fallbackPicker;
}

QString BrowseForFolder()
{
    const QString chosen = currentPicker->pickFolder(QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
    if (chosen.isEmpty())
        return CancelledPick();
    return chosen.leftJustified(PickBufferLength, QChar(0));
}

QString CancelledPick()
{
    return QString(PickBufferLength, QChar(0));
}

bool IsCancelledPick(const QString& pickResult)
{
    return QString::compare(pickResult, CancelledPick(), Qt::CaseInsensitive) == 0;
}

QString PickedPath(const QString& pickResult)
{
    return TrimBlanks(pickResult.left(pickResult.indexOf(QChar(0))));
}

}  // namespace MarlowFuncUtility
