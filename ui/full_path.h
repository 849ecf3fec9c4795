// The full path the system gives a file name, as the listener is shown it.
#pragma once
#include <string>

// The full, long-name spelling of `path`; `path` itself when the system
// cannot make one.
std::string FullPath(const std::string& path);
