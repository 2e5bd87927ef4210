// Writes the sample data files that the project ships: tarvex-make-samples FOLDER
#include <exception>
#include <iostream>

#include "samples/sample_settings.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvex-make-samples FOLDER\n";
        return 2;
    }
    try {
        for (const std::string& name : tarvex::samples::WriteSampleFiles(argv[1])) {
            std::cout << name << '\n';
        }
    } catch (const std::exception& e) {
        std::cerr << "tarvex-make-samples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
