// Exits 0 when the file named by its one argument holds exactly one JSON document, for the
// end-to-end runs, which have no JSON tool of their own.

#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: json_check FILE\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "json_check: cannot read " << argv[1] << "\n";
        return 1;
    }
    if (!nlohmann::json::accept(file)) {
        std::cerr << "json_check: " << argv[1] << " is not valid JSON\n";
        return 1;
    }
    return 0;
}
