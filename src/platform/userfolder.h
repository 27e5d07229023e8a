#pragma once

// The folders beside the settings that hold what is the user's alone: the recovery copies of
// unsaved work, the word lists, the recent projects. Implemented once per system.

#include <string>

namespace qs::platform {

// Makes `folder` and every missing folder above it. The folders made here can be entered by
// their owner only (mode 0700), so another user cannot even list what is inside; a folder that
// already exists keeps its mode: the user made it so, or chose to share it. On Windows the
// folders take the rights of the folder above, which in the user's profile are the user's own.
// True when `folder` is a folder afterwards.
bool MakePrivateFolder(const std::string& folder);

}  // namespace qs::platform
