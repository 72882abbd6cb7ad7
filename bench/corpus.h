#pragma once

#include <cstddef>
#include <string>

// Writes a deterministic report-like corpus of about `bytes` bytes: CR LF lines of drive
// sections with "Serial Number :" and "Vendor Specific:" labels, CT numbers in both letter
// cases, glued and shifted serials, and about one listed unit per thousand drives.
bool write_report_corpus(const std::string& path, std::size_t bytes);

// Writes one token of `bytes` bytes with no whitespace at all.
bool write_single_token(const std::string& path, std::size_t bytes);
