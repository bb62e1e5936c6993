#pragma once

// Called before the application object exists: the windows, placed in twips,
// and their fonts grow together with the desktop's resolution, in both builds alike.
namespace platform {
void followDesktopScale();
}  // namespace platform
