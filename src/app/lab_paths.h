// Paths as the person at the Lab knows them. The system hands the program's
// own paths out with backslashes on every target; where it roots one at a
// lone backslash (no drive, no share) it stands for a path of a host whose
// separator is the slash, and is shown that way.
#pragma once

#include <string>

// The path with "." and "dir\.." steps taken out of its absolute form, in
// the host's separators; a relative path is shown as it was given.
std::string DisplayPath(const std::string& system_path);
