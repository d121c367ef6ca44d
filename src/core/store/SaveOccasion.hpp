#pragma once

namespace vesk {

// A save at quit may not wait long for another program to finish writing the file.
enum class SaveOccasion { normal, quit };

} // namespace vesk
