#pragma once

#include <string>

// The program's fixed texts, as the end-to-end tests expect them (before line-end conversion).
inline const std::string FOLLOWING =
    "The following Hard Disk Unit has been identified as having a known hardware issue.\n";
inline const std::string CERTAIN =
    "Certain Hard Disk Unit has been identified as having a known hardware issue.\n";
inline const std::string CONTACT = "Please contact Vantorel for replacement.\n\n";
inline const std::string ALL_GOOD = "All Hard Disk Units are good.\n";
inline const std::string REPORT_DONE =
    "Done! Please open the corresponding file and check the message at the end of the file.\n";
