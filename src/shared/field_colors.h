#pragma once

#include <QtGlobal>

// The colours every window uses to show where the input is (&HBBGGRR).
namespace FieldColor {
constexpr quint32 Focused = 0xC0E0FF;  // a field while it has the focus
constexpr quint32 Visited = 0xC0C000;  // a field once it has lost the focus; folder fields from the start
constexpr quint32 Unvisited = 0xC0FFFF;  // other fields before their first visit
constexpr quint32 FileList = 0xE0E0E0;
}  // namespace FieldColor
