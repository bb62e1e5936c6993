#pragma once

#include <QString>

// The rename rules in force: one file-name rule, one extension rule, prefix,
// suffix and the parameters of the chosen rules.
struct RuleSet {
    int NameRule = 0;        // 0 keep, 1 same name, 2 delete, 3 replace by text,
                             // 4 replace by number, 5 insert text, 6 insert number
    int ExtRule = 0;         // 0 keep, 1 replace, 2 old extension into the name, then add
    QString Prefix;
    QString Suffix;
    int StartFromFront = 0;  // 1-based, from the first character of the base name
    int StartFromBack = 0;   // 1 = the last character of the base name
    int CharCount = 0;
    int SerialStart = 0;
    int SerialDigits = 0;
    QString RuleText;
    QString NewExtension;    // without the dot
    qint64 SerialNumber = 0; // running counter, wide enough never to wrap
    bool FromFront = true;   // direction of the insert rules 5 and 6
    bool ExtBeforeName = true;
};

// A file name split at its first ".": BaseName before it, OldExtension from
// the dot (included) to the end.
struct SplitName {
    QString BaseName;
    QString OldExtension;
};
SplitName splitAtFirstDot(const QString& name);

// The bare name of the copy of the bare file name sourceName. Under the
// numbering rules 4 and 6 it writes the serial text into RuleText and
// advances SerialNumber, once per call.
QString BuildTargetName(RuleSet& rules, const QString& sourceName);
