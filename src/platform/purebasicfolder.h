#pragma once

// Where PureBasic is installed: the start folder of the library, help-folder and project
// requesters, and the place a moved library is looked for.

#include <string>

namespace qs::platform {

// The PureBasic install folder, or an empty text when none is found. On Windows the shell
// command and the uninstall entries of the registry; elsewhere $PUREBASIC_HOME, the folder
// above the one holding pbcompiler on PATH, /opt/purebasic/ or ~/purebasic/, ending in "/".
std::string FindPureBasicFolder();

// The look-up used outside Windows, with the environment given: `purebasicHome` ($PUREBASIC_HOME),
// `pathValue` ($PATH) and `home` ($HOME), each possibly empty.
std::string FindPureBasicFolderFrom(const std::string& purebasicHome, const std::string& pathValue,
                                    const std::string& home);

}  // namespace qs::platform
