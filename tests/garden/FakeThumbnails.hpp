#pragma once

#include "render/thumbs/BonsaiThumbnails.hpp"

#include <atomic>

namespace vesk::test {

// Thumbnails drawn as flat squares, counted.
struct FakeThumbnails {
    explicit FakeThumbnails(MainQueue& main)
        : cache(main, [this](std::uint64_t, std::int64_t n) -> std::optional<gl::Frame> {
              ++renders;
              const auto shade = std::uint8_t(40 + n % 200);
              return gl::Frame{
                  BonsaiThumbnails::width, BonsaiThumbnails::height,
                  std::vector<std::uint8_t>(BonsaiThumbnails::width * BonsaiThumbnails::height * 4, shade)};
          }) {}

    std::atomic<int> renders = 0;
    BonsaiThumbnails cache;
};

} // namespace vesk::test
