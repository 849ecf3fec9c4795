// The file a run writes, proposed from the log's name.
#pragma once
#include <string>

// The export file proposed for a log: its path, already upper-cased, with
// every ".ULM" replaced by ".CSV".
std::string ExportNameFromUpperPath(const std::string& upperPath);
// The same with another extension (".TXT", say) in place of ".CSV".
std::string OutputNameFromUpperPath(const std::string& upperPath, const std::string& extension);
