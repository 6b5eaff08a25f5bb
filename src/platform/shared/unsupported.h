// The layer's word on a call or flag it does not provide: one line on
// standard error the first time each is met, so that the failure the caller
// sees (with its Win32 error) is not a silent one.
#pragma once

namespace posix {

// Writes "<call>: <what> is not supported" to standard error once per pair.
void report_unsupported(const char* call, const char* what);

}  // namespace posix
