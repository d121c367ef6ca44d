#include "FuzzCheck.hpp"
#include "core/model/IsoDate.hpp"
#include "core/model/Uuid.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace vesk;

// Whatever the parsers accept formats to text they accept again as the same value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto date = IsoDate::parse(text)) {
        const auto again = IsoDate::parse(IsoDate::format(*date));
        fuzz::require(again.has_value(), "formatted date is rejected");
        fuzz::require(IsoDate::format(*again) == IsoDate::format(*date), "date round trip differs");
    }
    if (const auto id = UUID::parse(text)) {
        const auto again = UUID::parse(id->uuidString());
        fuzz::require(again == id, "UUID round trip differs");
    }
    return 0;
}
