// The program entry: the developer's one-shot modes first (they replace the application
// for that launch and never touch the user's data), then the application itself.

#include "devtools/EngineStress.hpp"
#include "devtools/VideoTools.hpp"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

int startApplication(int /*argc*/, char** /*argv*/) {
    std::cerr << "vesk: the desktop application is not part of this build yet; "
                 "try --render-frames DIR or --stress-engine\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    if (const auto stress = vesk::EngineStress::Options::find(words))
        return vesk::EngineStress::run(*stress, argc, argv);
    if (std::find(words.begin(), words.end(), "--render-frames") != words.end())
        return vesk::VideoTools::renderFrames(words);
    return startApplication(argc, argv);
}
