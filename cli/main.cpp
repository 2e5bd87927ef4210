#include <exception>
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // The commands report their own failures; anything that still escapes ends the run as a
    // failure with its reason, never as an abort.
    try {
        return tarvex::cli::RunCli(argc, argv, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "tarvex-cli: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "tarvex-cli: unexpected failure\n";
    }
    return tarvex::cli::kExitFileError;
}
