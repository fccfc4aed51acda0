// The list of everything the generator writes, in the order it writes it.
#pragma once

#include "Output.h"

#include <vector>

namespace assetgen
{
struct tArtwork
{
    const char* name; // for messages
    bool (*write)(const tOutput& out);
};

const std::vector<tArtwork>& AllArtwork();
} // namespace assetgen
