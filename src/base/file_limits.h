// The largest files the program reads, by kind; the README's Limits section lists them.
#pragma once

#include <cstdint>

namespace vartesk {

inline constexpr std::uintmax_t kMiB = std::uintmax_t(1) << 20;

// Text and record files: the largest real ones are a few hundred kilobytes, so anything near
// these sizes is a wrong file (a device, a disk image), not data.
inline constexpr std::uintmax_t kMaxProjectFileBytes = 64 * kMiB;
inline constexpr std::uintmax_t kMaxCatalogFileBytes = 64 * kMiB; // binary and text export
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 64 * kMiB;
inline constexpr std::uintmax_t kMaxClimateFileBytes = 64 * kMiB; // the climate-file import

// Workbooks (templates, the project-data import, `vartesk xls`) are held whole in memory;
// 50 MB workbooks are read in the benchmarks, so the limit leaves room well above that.
inline constexpr std::uintmax_t kMaxWorkbookFileBytes = 1024 * kMiB;

} // namespace vartesk
