#pragma once
// Pushes a written file to the disk before it is renamed into place.

#include <cstdio>

namespace kelmora {

bool syncToDisk(std::FILE* file);

}  // namespace kelmora
