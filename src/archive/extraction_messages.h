#pragma once

#include "archive/member_extraction.h"

#include <QString>

// What the user is told after an extraction that did not write everything.
namespace ExtractionMessages {

// The archive's files would not fit beside the margin that must stay free.
QString noRoom(qint64 declaredBytes, qint64 freeBytes);

// A member grew past the size its header gives; the run was undone.
QString memberTooLarge(const QString& memberName);

// The ZIP's directory is encrypted: nothing can be read.
QString encryptedDirectory();

// How many members were not written, the first few with the reason, and
// which were written under another name; empty when every member was
// written under its own.
QString report(const MemberExtraction::Outcome& outcome);

}  // namespace ExtractionMessages
