#include "cli/dict/DictTool.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "builder/CoverageCheck.h"
#include "builder/DictBuild.h"
#include "builder/DictInfo.h"

namespace quorvantix::dict {

int RunDictTool(const std::vector<std::string>& arguments, bool err_is_terminal, std::ostream& out,
                std::ostream& err) {
    CLI::App app{"Makes and checks Quorvantix dictionary files."};
    app.name("quorvantix-dict");
    app.require_subcommand(1);

    BuildOptions build;
    std::string format;
    CLI::App* build_command =
        app.add_subcommand("build", "write a new dictionary file OUT from the inputs, in order");
    build_command->add_option("OUT", build.out, "the dictionary file to write")->required();
    build_command->add_option("INPUT", build.inputs, "input files")->required();
    build_command
        ->add_option("--format", format,
                     "format of every input (default: told from each file's name or content)")
        ->check(CLI::IsMember(FormatNameList()));
    build_command
        ->add_option("--forms", build.forms,
                     "a list of inflected forms (\"form base…\" per line, e.g. WordNet's "
                     "verb.exc): each form whose base word the dictionary holds gets a row "
                     "naming it first; may be given more than once")
        ->allow_extra_args(false);
    build_command
        ->add_option("--lemmas", build.lemmas,
                     "a list of words of one class (WordNet's index.noun, index.verb, "
                     "index.adj): each of their regular forms that the suffix rules would send "
                     "to another word, and each form of a verb of several words (looked up), "
                     "gets a row naming its word; may be given more than once")
        ->allow_extra_args(false);
    build_command->add_option(
        "--class-counts", build.class_counts,
        "WordNet's cntlist.rev (how often its tagged texts use each sense): the rows one input "
        "gives a headword are ordered by word class, the class used most first");
    build_command->add_flag("--keep-commas", build.keep_commas,
                            "tsv: keep a headword field with commas whole");
    build_command
        ->add_option("--mdb-export", build.mdb_export, "mdb: the mdb-export program to run")
        ->capture_default_str();

    std::string file;
    CLI::App* info_command = app.add_subcommand("info", "show what a dictionary file holds");
    info_command->add_option("FILE", file, "dictionary file")->required();
    CoverageOptions coverage;
    CLI::Option* check = info_command->add_option(
        "--check", coverage.word_list,
        "look up every word of WORDLIST (\"word [base…]\" per line) as the window would and "
        "show what share of the answers lead with the word itself or its base, and in "
        "Japanese; bases by WordNet's morphology and the line's own");
    CLI::Option* corpus =
        info_command
            ->add_option("--corpus", coverage.corpus,
                         "the same for every distinct word of an English text, with the shares "
                         "of its running words besides")
            ->excludes(check);
    info_command
        ->add_option("--wordnet", coverage.wordnet,
                     "--check, --corpus: the folder of WordNet's database whose morphology "
                     "tells a word's base")
        ->capture_default_str();
    CLI::App* index_command =
        app.add_subcommand("index", "add the headword index to a dictionary that lacks it");
    index_command->add_option("FILE", file, "dictionary file")->required();

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? kDictOk : kDictUsageError;
    }
    if (*build_command) {
        build.format = FormatNamed(format);
        build.progress = err_is_terminal;
        return RunBuild(build, out, err);
    }
    if (*info_command) {
        return *check || *corpus ? RunCoverageCheck(file, coverage, out, err)
                                 : RunInfo(file, out, err);
    }
    return RunIndex(file, out, err);
}

}  // namespace quorvantix::dict
