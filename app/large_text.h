#pragma once

#include <cstdint>

// Beyond this a text is hardly a hierarchy (a geometry file chosen or copied by mistake,
// say): opening or pasting it asks first, as it takes the editor long.
constexpr std::int64_t kMegabyte = 1024 * 1024;
constexpr std::int64_t kLargeText = 32 * kMegabyte;

// Whole megabytes, rounded.
constexpr std::int64_t RoundedMegabytes(std::int64_t bytes)
{
    return (bytes + kMegabyte / 2) / kMegabyte;
}
