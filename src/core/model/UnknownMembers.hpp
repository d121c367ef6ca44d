#pragma once

#include <map>
#include <string>

namespace vesk {

// The members of one object of the document whose keys this program does not know (another
// program's "tags", "syncID", "version"), each value as compact JSON text, by key. An object
// read with them is written back with them, where they were.
using UnknownMembers = std::map<std::string, std::string>;

} // namespace vesk
