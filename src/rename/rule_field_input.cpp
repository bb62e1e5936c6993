#include "rename/rule_field_input.h"

#include "rename/numeric_field.h"
#include "rename/rule_messages.h"
#include "shared/check_digits.h"

namespace {

enum class FieldKind { Text, DeleteStart, InsertStart, Count, SerialStart, SerialDigits };

FieldKind kindOf(int index)
{
    switch (index) {
    case 10:
    case 20:
    case 30: return FieldKind::DeleteStart;
    case 40:
    case 50: return FieldKind::InsertStart;
    case 11:
    case 21:
    case 31: return FieldKind::Count;
    case 32:
    case 51: return FieldKind::SerialStart;
    case 33:
    case 52: return FieldKind::SerialDigits;
    default: return FieldKind::Text;
    }
}

QString& rememberedFor(FieldKind kind, RememberedTexts& remembered)
{
    switch (kind) {
    case FieldKind::Count: return remembered.LastCount;
    case FieldKind::SerialStart: return remembered.LastSerialStart;
    case FieldKind::SerialDigits: return remembered.LastSerialDigits;
    default: return remembered.LastStart;
    }
}

FieldOutcome refuse(const QString& message)
{
    return FieldOutcome{message, FocusMove::Stay};
}

FieldOutcome moveTo(int next)
{
    return FieldOutcome{QString(), next};
}

// Why a trimmed text is not a number the rule set can hold; empty when it is.
QString numberRefusal(const QString& trimmed)
{
    if (MarlowFuncUtility::CheckDigits(trimmed) > 0)
        return RuleMessages::NotANumber;
    if (exceedsFieldLimit(numericFieldValue(trimmed)))
        return RuleMessages::TooLarge;
    return QString();
}

}  // namespace

QString fieldHint(int index)
{
    switch (index) {
    case 0: return QStringLiteral("新しいファイル名を指定してください。");
    case 10:
    case 20:
    case 30: return QStringLiteral("元のファイル名から削除する開始桁を指定してください。");
    case 11:
    case 21:
    case 31: return QStringLiteral("元のファイル名から削除する桁数を指定してください。");
    case 22:
    case 41: return QStringLiteral("挿入する文字列を指定してください。");
    case 32:
    case 51: return QStringLiteral("コピー後のファイル名につけるシリアルナンバーの最初の番号を指定してください。");
    case 33:
    case 52: return QStringLiteral("コピー後のファイル名につけるシリアルナンバーの桁数を指定してください。");
    case 40:
    case 50: return QStringLiteral("元のファイル名に挿入すべき開始桁を指定してください。");
    default: return QString();
    }
}

int arrowKeyTarget(int index, int keyCode, int shift)
{
    constexpr int Left = 37, Up = 38, Right = 39, Down = 40, ShiftAlone = 1;
    switch (keyCode) {
    case Up:
        if (index == 22 || index == 32 || index == 33)
            return index - 2;
        if (index == 51 || index == 52)
            return 50;
        if (index == 41)
            return 40;
        break;
    case Down:
        if (index == 20 || index == 30 || index == 31)
            return index + 2;
        if (index == 40 || index == 50)
            return index + 1;
        break;
    case Right:
        if (shift == ShiftAlone && (index == 10 || index == 20 || index == 30 || index == 32 || index == 51))
            return index + 1;
        break;
    case Left:
        if (shift == ShiftAlone && (index == 11 || index == 21 || index == 31 || index == 33 || index == 52))
            return index - 1;
        break;
    default:
        break;
    }
    return FocusMove::Stay;
}

FieldOutcome enterInField(int index, const QString& text, RememberedTexts& remembered)
{
    const FieldKind kind = kindOf(index);
    if (kind == FieldKind::Text)
        return moveTo(FocusMove::CopyButton);
    const QString trimmed = text.trimmed();
    if (const QString refusal = numberRefusal(trimmed); !refusal.isEmpty())
        return refuse(refusal);
    const int number = numericFieldValue(trimmed);
    if (kind == FieldKind::DeleteStart && number < 1)
        return refuse(RuleMessages::StartBelowOne);
    if (kind == FieldKind::SerialDigits && number < 1)
        return refuse(RuleMessages::SerialDigitsBelowOne);
    rememberedFor(kind, remembered) = trimmed;
    switch (kind) {
    case FieldKind::Count: return moveTo(index == 11 ? FocusMove::CopyButton : index + 1);
    case FieldKind::SerialDigits: return moveTo(FocusMove::CopyButton);
    default: return moveTo(index + 1);
    }
}

FieldOutcome leaveField(int index, const QString& text, RememberedTexts& remembered)
{
    const FieldKind kind = kindOf(index);
    if (kind == FieldKind::Text)
        return moveTo(FocusMove::Stay);
    const QString trimmed = text.trimmed();
    QString& last = rememberedFor(kind, remembered);
    if (trimmed != last) {
        if (const QString refusal = numberRefusal(trimmed); !refusal.isEmpty())
            return refuse(refusal);
        if (kind == FieldKind::DeleteStart && numericFieldValue(trimmed) < 1)
            return refuse(RuleMessages::StartBelowOne);
    }
    // An empty serial width is refused each time, even when it was empty before.
    if (kind == FieldKind::SerialDigits && numericFieldValue(trimmed) < 1)
        return refuse(RuleMessages::SerialDigitsBelowOne);
    last = trimmed;
    return moveTo(FocusMove::Stay);
}
