// Exits 0 when the file named by its first argument holds exactly one JSON document, for the
// end-to-end runs, which have no JSON tool of their own. Each further argument is a JSON
// pointer whose value is printed on a line of its own: the size of an array or object, a
// string as it stands, anything else as JSON; a pointer to nothing fails.

#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: json_check FILE [POINTER...]\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "json_check: cannot read " << argv[1] << "\n";
        return 1;
    }
    const nlohmann::json document = nlohmann::json::parse(file, nullptr, false);
    if (document.is_discarded()) {
        std::cerr << "json_check: " << argv[1] << " is not valid JSON\n";
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        try {
            const nlohmann::json& value = document.at(nlohmann::json::json_pointer(argv[i]));
            if (value.is_array() || value.is_object())
                std::cout << value.size() << "\n";
            else if (value.is_string())
                std::cout << value.get<std::string>() << "\n";
            else
                std::cout << value.dump() << "\n";
        } catch (const nlohmann::json::exception&) {
            std::cerr << "json_check: " << argv[1] << " has nothing at " << argv[i] << "\n";
            return 1;
        }
    }
    return 0;
}
