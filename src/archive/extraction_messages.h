#pragma once

#include "archive/member_extraction.h"

#include <QString>
#include <QVector>

// What the user is told after an extraction that did not write everything.
namespace ExtractionMessages {

// The archive's files would not fit beside the margin that must stay free.
QString noRoom(qint64 declaredBytes, qint64 freeBytes);

// A member grew past the size its header gives; the run was undone.
QString memberTooLarge(const QString& memberName);

// How many members were not written, the first few with the reason; empty
// when every member was written.
QString skipped(const QVector<MemberExtraction::SkippedMember>& members);

}  // namespace ExtractionMessages
