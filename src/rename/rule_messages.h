#pragma once

#include <QString>

// The refusals of the rule windows and of the rule check, word for word.
namespace RuleMessages {
inline const QString NotANumber = QStringLiteral("入力値が数字ではありません。");
inline const QString TooLarge = QStringLiteral("入力値は、３２７６７以下です。");
inline const QString StartBelowOne = QStringLiteral("削除開始桁は、１以上です。");
inline const QString SerialDigitsBelowOne = QStringLiteral("シリアル番号の桁数は、１以上です。");
inline const QString NoNewName = QStringLiteral("新ファイル名、接頭語、接尾語のいずれかを入力して下さい。");
inline const QString CountPastStart =
    QStringLiteral("後ろから指定する場合、削除桁数が開始桁を超えることはできません｡ ");
inline const QString LettersOnlyExtension = QStringLiteral("拡張子には英字しか指定できません。");
}  // namespace RuleMessages
