#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/lookup/LookupTool.h"

namespace {

std::string ProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    quorvantix::LookupToolOptions options;
    options.dictionary = (std::filesystem::path(ProgramFolder()) / "Tessaryn").string();

    CLI::App app{"Looks English words up in a Quorvantix dictionary, as the pop-up window does."};
    app.add_option("--dict", options.dictionary,
                   "dictionary file (default: Tessaryn beside the tool)");
    app.add_flag("--raw", options.raw, "print the answer's exact bytes, CR LF line ends included");
    app.add_flag("--explain", options.explain,
                 "write every dictionary query, in order, to standard error");
    app.add_flag("--json", options.json, "write one JSON object per text");
    app.add_flag("--phrases", options.phrases, "also list set phrases that hold the word");
    app.add_option("text", options.texts,
                   "texts to look up (default: one per line from standard input)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : quorvantix::kUsageError;
    }
    return quorvantix::RunLookupTool(options, std::cin, std::cout, std::cerr);
}
