#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A receive stream as a transponder's port carries it: AIS position and
// static-data reports (single and two-part !AIVDM), class B reports, GPS
// fixes and the occasional $AIVER answer, each with its checksum and CR LF.
// The same seed always gives the same bytes.
namespace NmeaStream {

// Whole lines only, at least `bytes` long.
std::string ofSize(size_t bytes, uint32_t seed = 470);
// Exactly `lines` lines.
std::string ofLines(size_t lines, uint32_t seed = 470);

}  // namespace NmeaStream
