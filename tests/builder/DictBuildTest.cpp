#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include "tests/builder/DictToolRun.h"

namespace quorvantix::testing {
namespace {

// The arguments as exec and posix_spawn take them; they must outlive the result.
std::vector<char*> Argv(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return argv;
}

struct TsvCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> options;
    Rows rows;
    std::string skipped;  // the report on standard error, "" when nothing was skipped
};

TEST_F(DictBuildTest, TsvLinesBecomeRowsInOrder) {
    const std::vector<TsvCase> cases = {
        {"bom, CR LF, blank lines, tabs in the definition",
         "\xEF\xBB\xBFrun\t走る\r\n\r\n  \nwalk\t歩く\tあるく\nrun\t運営する\n",
         {},
         {{"run", "走る"}, {"walk", "歩く\tあるく"}, {"run", "運営する"}},
         ""},
        {"comma-separated spellings give one row each",
         "colour, color\t色\nA,\tエー\n",
         {},
         {{"colour", "色"}, {"color", "色"}, {"A", "エー"}},
         ""},
        {"--keep-commas keeps the field whole",
         "1,000 yen\t千円\n",
         {"--keep-commas"},
         {{"1,000 yen", "千円"}},
         ""},
        {"malformed lines are counted with their numbers",
         "a\tア\nno tab\n\t空\nb\tビ\n , \tカンマ\nx\ny\nz\nw\n",
         {},
         {{"a", "ア"}, {"b", "ビ"}},
         "7 malformed lines skipped (lines 2, 3, 5, 6, 7, …)"},
        {"the last line needs no line end", "end\t終わり", {}, {{"end", "終わり"}}, ""},
        {"ill-formed UTF-8 the lookup would refuse: overlong, surrogate, beyond U+10FFFF",
         "ok\tよい\nover\xE0\x80\xAFlong\tx\nsur\xED\xA0\x80\tx\nbig\tx\xF4\x90\x80\x80\n",
         {},
         {{"ok", "よい"}},
         "3 malformed lines skipped (lines 2, 3, 4)"},
    };
    for (const TsvCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {"build", out_, Input("words.tsv", c.bytes)};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const ToolRun run = RunDict(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadRows(out_), c.rows);
        if (c.skipped.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.skipped), std::string::npos) << run.err;
        }
    }
}

TEST_F(DictBuildTest, InputsFollowEachOtherAndTheFileIsReadyForTheProgram) {
    const std::string first = Input("a.tsv", "run\t走る\n");
    const std::string second = Input("b.tsv", "Run\t駆ける\n");
    ASSERT_EQ(RunDict({"build", out_, first, second}).status, 0);
    EXPECT_EQ(ReadRows(out_), (Rows{{"run", "走る"}, {"Run", "駆ける"}}));

    const ToolRun info = RunDict({"info", out_});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, out_ +
                            "\n  rows: 2\n  distinct headwords: 2\n  headword index: yes\n"
                            "  readable by Quorvantix: yes\n");
    EXPECT_EQ(FolderNames(folder_.path()), (std::vector<std::string>{"Out", "a.tsv", "b.tsv"}));
}

std::string Gzipped(const std::string& bytes) {
    std::string out(compressBound(bytes.size()) + 32, '\0');
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST_F(DictBuildTest, GzipCompressedInputIsRead) {
    const std::string input = Input("words.tsv.gz", Gzipped("run\t走る\nwalk\t歩く\n"));
    ASSERT_EQ(RunDict({"build", out_, input}).status, 0);
    EXPECT_EQ(ReadRows(out_), (Rows{{"run", "走る"}, {"walk", "歩く"}}));
}

struct FailureCase {
    const char* name;
    std::function<std::vector<std::string>()> inputs;
    std::string message;
};

TEST_F(DictBuildTest, AFailedBuildLeavesAnExistingFileAsItWas) {
    std::string corrupt = Gzipped(std::string(20000, 'x') + "\tエックス\n");
    corrupt[corrupt.size() / 2] ^= 0x55;
    const std::vector<FailureCase> cases = {
        {"missing input", [this] { return std::vector<std::string>{folder_.File("none.tsv")}; },
         "none.tsv: No such file or directory"},
        {"a folder as input", [this] { return std::vector<std::string>{folder_.File("sub")}; },
         "sub: is a folder, not a file"},
        {"unknown format", [this] { return std::vector<std::string>{Input("notes", "plain\n")}; },
         "notes: cannot tell its format"},
        {"corrupt compressed stream after good rows",
         [&] {
             return std::vector<std::string>{Input("good.tsv", "run\t走る\n"),
                                             Input("bad.tsv.gz", corrupt)};
         },
         "bad.tsv.gz: corrupt compressed data"},
        {"compressed stream cut short",
         [&] { return std::vector<std::string>{Input("cut.tsv.gz", corrupt.substr(0, 40))}; },
         "cut.tsv.gz: corrupt compressed data (unexpected end of file)"},
        {"compressed name, plain content",
         [this] {
             return std::vector<std::string>{Input("x.index", "a\tA\tB\n"),
                                             Input("x.dict.dz", "plain text")};
         },
         "x.dict.dz: is not a gzip or dictzip stream"},
    };
    std::filesystem::create_directory(folder_.File("sub"));
    const std::string before = "existing dictionary bytes";
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(out_, before);
        std::vector<std::string> arguments = {"build", out_};
        for (const std::string& input : c.inputs()) {
            arguments.push_back(input);
        }
        const auto names_before = FolderNames(folder_.path());
        const ToolRun run = RunDict(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(out_ + " left as it was"), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(out_), before);
        EXPECT_EQ(FolderNames(folder_.path()), names_before);
    }
}

TEST_F(DictBuildTest, AnInterruptedBuildLeavesAnExistingFileAsItWas) {
    // The tool reads its input from a named pipe, so it is surely in the middle of the build
    // when the signal comes.
    const std::string input = folder_.File("words.tsv");
    ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
    WriteBytes(out_, "existing dictionary bytes");
    const auto names_before = FolderNames(folder_.path());
    const std::string errors = folder_.File("errors");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> arguments = {QUORVANTIX_DICT_TOOL, "build", out_, input};
    std::vector<char*> argv = Argv(arguments);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    const int writer = ::open(input.c_str(), O_WRONLY);  // returns once the tool reads
    ASSERT_GE(writer, 0);
    const std::string lines = "run\t走る\nwalk\t歩く\n";
    ASSERT_EQ(::write(writer, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    // The signal is pending before the tool can see the end of its input.
    ::kill(pid, SIGINT);
    ::close(writer);
    int status = 0;
    ::waitpid(pid, &status, 0);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    std::filesystem::remove(errors);
    EXPECT_EQ(ReadBytes(out_), "existing dictionary bytes");
    EXPECT_EQ(FolderNames(folder_.path()), names_before);
}

// Runs the real tool with its address space held to 1 GiB, as a machine short of memory would:
// an allocation of gigabytes fails there. (Under AddressSanitizer or ThreadSanitizer, which
// reserve far more address space for themselves, the limit is left out and only the result is
// checked.)
ToolRun RunDictInLittleMemory(std::vector<std::string> arguments, const std::string& folder) {
    const std::string out = folder + "/tool.out";
    const std::string err = folder + "/tool.err";
    arguments.insert(arguments.begin(), QUORVANTIX_DICT_TOOL);
    const pid_t pid = ::fork();
    if (pid == 0) {
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
        ::setrlimit(RLIMIT_AS, &limit);
#endif
        const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out_fd, STDOUT_FILENO);
        ::dup2(err_fd, STDERR_FILENO);
        std::vector<char*> argv = Argv(arguments);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadBytes(out),
            ReadBytes(err)};
}

// An index entry whose length or offset lies far beyond its data file is malformed: it is
// skipped and counted, and nothing is allocated for it.
TEST_F(DictBuildTest, IndexEntriesBeyondTheirDataAreSkippedWithoutAllocatingThem) {
    Input("eng.dict", "hello\nこんにちは\nfar\n");
    const std::string dictd =
        Input("eng.index", "hello\tA\tW\nhuge\tA\tDuaygA\nfar\tDuaygA\tB\n");  // 4 GB; offset 4 GB
    const ToolRun from_dictd = RunDictInLittleMemory({"build", out_, dictd}, folder_.path());
    EXPECT_EQ(from_dictd.status, 0) << from_dictd.err;
    EXPECT_NE(from_dictd.err.find("2 malformed index lines skipped (index lines 2, 3)"),
              std::string::npos)
        << from_dictd.err;
    EXPECT_EQ(ReadRows(out_), (Rows{{"hello", "こんにちは"}}));

    const auto big_endian = [](uint32_t value) {
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    };
    Input("en.ifo",
          "StarDict's dict ifo file\nversion=2.4.2\nbookname=t\nwordcount=2\n"
          "sametypesequence=m\n");
    Input("en.dict", "走る");
    Input("en.idx", std::string("run") + '\0' + big_endian(0) + big_endian(6) + "walk" + '\0' +
                        big_endian(0) + big_endian(4000000000u));
    const ToolRun from_stardict =
        RunDictInLittleMemory({"build", out_, folder_.File("en.ifo")}, folder_.path());
    EXPECT_EQ(from_stardict.status, 0) << from_stardict.err;
    EXPECT_NE(from_stardict.err.find("1 malformed entry skipped (entry 2)"), std::string::npos)
        << from_stardict.err;
    EXPECT_EQ(ReadRows(out_), (Rows{{"run", "走る"}}));
}

TEST_F(DictBuildTest, ASuccessfulBuildReplacesAnExistingFile) {
    WriteBytes(out_, "old");
    ASSERT_EQ(RunDict({"build", out_, Input("a.tsv", "new\t新\n")}).status, 0);
    EXPECT_EQ(ReadRows(out_), (Rows{{"new", "新"}}));
}

TEST_F(DictBuildTest, UsageErrorsAreRefused) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"build", out_}, {"build", "--format", "csv", out_, "in.tsv"}, {"convert"}}) {
        EXPECT_EQ(RunDict(arguments).status, 2);
    }
}

TEST_F(DictBuildTest, IndexAddsTheHeadwordIndexOnce) {
    WriteDictionary(out_, {{"run", "走る"}, {"RUN", "走る"}}, false);
    EXPECT_NE(RunDict({"info", out_}).out.find("headword index: no"), std::string::npos);

    const ToolRun added = RunDict({"index", out_});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.out, out_ + ": headword index added\n");
    EXPECT_EQ(RunDict({"index", out_}).out, out_ + ": already has the headword index\n");
    EXPECT_NE(RunDict({"info", out_}).out.find("headword index: yes"), std::string::npos);
}

TEST_F(DictBuildTest, InfoAndIndexTellWhatIsWrongWithAFile) {
    WriteBytes(out_, "not a database, just text that is long enough to be read as a header....");
    const ToolRun info = RunDict({"info", out_});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.out.find("readable by Quorvantix: no (cannot be opened"), std::string::npos);
    EXPECT_EQ(RunDict({"index", out_}).status, 1);

    const std::string other = folder_.File("other");
    ExecuteSql(other, "CREATE TABLE words (w TEXT)");
    EXPECT_NE(RunDict({"info", other}).out.find("readable by Quorvantix: no (has no table tbl00"),
              std::string::npos);
    const ToolRun index = RunDict({"index", other});
    EXPECT_EQ(index.status, 1);
    EXPECT_NE(index.err.find("no such table: tbl00"), std::string::npos) << index.err;
}

}  // namespace
}  // namespace quorvantix::testing
