// Where the generated files go: <root>/Graphics/<name> and <root>/Sound/<name>, spelled exactly as the
// game's loaders expect them.
#pragma once

#include <string>

namespace assetgen
{
struct tOutput
{
    std::string root;

    std::string Graphics(const std::string& name) const { return root + "/Graphics/" + name; }
    std::string Sound(const std::string& name) const { return root + "/Sound/" + name; }
};
} // namespace assetgen
