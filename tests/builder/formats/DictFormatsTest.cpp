#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>

#include "builder/InputFormat.h"
#include "tests/builder/DictToolRun.h"

namespace quorvantix::testing {
namespace {

class DictFormatsTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        return folder_.WriteFile(name, bytes);
    }

    // Builds from the inputs and returns the rows; the report on standard error in err_.
    Rows Build(const std::vector<std::string>& inputs,
               const std::vector<std::string>& options = {}) {
        std::vector<std::string> arguments = {"build", out_};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), inputs.begin(), inputs.end());
        const ToolRun run = RunDict(arguments);
        err_ = run.err;
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? ReadRows(out_) : Rows{};
    }

    void ExpectSkipped(const std::string& report) {
        EXPECT_NE(err_.find(report), std::string::npos) << err_;
    }

    TempDir folder_;
    const std::string out_ = folder_.File("Out");
    std::string err_;
};

// ---- dictd ----

std::string Base64Number(uint64_t value) {
    constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 64]);
        value /= 64;
    } while (value > 0);
    return digits;
}

struct DictdFiles {
    std::string index;
    std::string data;
};

// Index lines in the order given, data in the reverse order, so reading follows the index
// back and forth through the data.
DictdFiles MakeDictd(const std::vector<std::pair<std::string, std::string>>& entries) {
    DictdFiles files;
    std::vector<uint64_t> offsets(entries.size());
    for (size_t i = entries.size(); i-- > 0;) {
        offsets[i] = files.data.size();
        files.data += entries[i].second;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        files.index += entries[i].first + "\t" + Base64Number(offsets[i]) + "\t" +
                       Base64Number(entries[i].second.size()) + "\n";
    }
    return files;
}

TEST_F(DictFormatsTest, DictdEntriesLoseTheirRepeatedHeadword) {
    const DictdFiles files = MakeDictd({
        {"00databaseinfo", "about this dictionary\n"},
        {"00-database-short", "short name\n"},
        {"1up", "1-Up //wʌn ʌp// <n>\n1. 残機\nextra life\n"},
        {"colour", "color <n>\n色\n"},
        {"run", "run /ɹʌn/ <v>\r\n1. 走る\r\n2. 運営する\r\n"},
        {"walk", "Walk\n歩く\n"},
    });
    const std::string index =
        Write("eng-jpn.index", files.index + "bad\t!!\tB\nfar\tZZZZZ\tB\nshort\tA\n");
    Write("eng-jpn.dict", files.data);
    EXPECT_EQ(Build({index}), (Rows{{"1-Up", "/wʌn ʌp/ <n>\n1. 残機\nextra life"},
                                    {"colour", "color <n>\n色"},
                                    {"run", "/ɹʌn/ <v>\n1. 走る\n2. 運営する"},
                                    {"Walk", "歩く"}}));
    ExpectSkipped("3 malformed index lines skipped (index lines 7, 8, 9)");
}

TEST_F(DictFormatsTest, BothFilesOfOneDictdDictionaryAreReadOnce) {
    const DictdFiles files = MakeDictd({{"run", "run\n走る\n"}, {"walk", "walk\n歩く\n"}});
    const std::string index = Write("eng-jpn.index", files.index);
    const std::string data = Write("eng-jpn.dict", files.data);
    const Rows once = {{"run", "走る"}, {"walk", "歩く"}};
    EXPECT_EQ(Build({data, index}), once);
    EXPECT_NE(err_.find(index + ": the same dictionary as " + data + "; read once"),
              std::string::npos)
        << err_;
    // Also under another name, and together with an input of its own.
    const std::string linked = folder_.File("other-name.index");
    std::filesystem::create_hard_link(index, linked);
    std::filesystem::copy_file(data, folder_.File("other-name.dict"));
    const std::string tsv = Write("more.tsv", "fly\t飛ぶ\n");
    EXPECT_EQ(Build({index, tsv, linked, tsv}),
              (Rows{{"run", "走る"}, {"walk", "歩く"}, {"fly", "飛ぶ"}}));
}

TEST_F(DictFormatsTest, DictzipDataIsReadAcrossItsChunks) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 6000; ++i) {
        const std::string word = "word" + std::to_string(i);
        entries.push_back({word, word + " <n>\n" + std::to_string(i) + "番目の言葉\n"});
    }
    const DictdFiles files = MakeDictd(entries);
    ASSERT_GT(files.data.size(), 3 * 58000u);
    Write("big.index", files.index);
    Write("big.dict", files.data);
    const Rows plain = Build({folder_.File("big.index")});
    ASSERT_EQ(plain.size(), entries.size());
    EXPECT_EQ(plain[2999],
              (std::pair<std::string, std::string>{"word2999", "<n>\n2999番目の言葉"}));

    ASSERT_EQ(std::system(("dictzip " + folder_.File("big.dict")).c_str()), 0);
    ASSERT_TRUE(std::filesystem::exists(folder_.File("big.dict.dz")));
    EXPECT_EQ(Build({folder_.File("big.dict.dz")}), plain);

    std::string damaged = ReadBytes(folder_.File("big.dict.dz"));
    damaged.replace(damaged.size() / 2, 16, 16, '\x5A');
    Write("big.dict.dz", damaged);
    const ToolRun run = RunDict({"build", out_, folder_.File("big.index")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("big.dict.dz: corrupt compressed data"), std::string::npos) << run.err;
}

// ---- StarDict ----

std::string BigEndian(uint64_t value, int width) {
    std::string bytes;
    for (int i = width - 1; i >= 0; --i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return bytes;
}

struct Stardict {
    std::string idx;
    std::string dict;
    int offset_width = 4;

    void Add(const std::string& word, const std::string& data) {
        idx += word + '\0' + BigEndian(dict.size(), offset_width) + BigEndian(data.size(), 4);
        dict += data;
    }
};

std::string Ifo(const std::string& extra) {
    return "StarDict's dict ifo file\nversion=3.0.0\nbookname=test\nwordcount=2\n" + extra;
}

TEST_F(DictFormatsTest, StardictTypesAndSynonyms) {
    Stardict plain;
    plain.Add("ran", "走った");
    plain.Add("run", "走る\n駆ける");
    Write("plain.ifo", Ifo("sametypesequence=m\n"));
    Write("plain.idx", plain.idx + "walk");  // the last entry is cut off
    Write("plain.dict", plain.dict);
    Write("plain.syn", std::string("running\0", 8) + BigEndian(1, 4) + std::string("lost\0", 5) +
                           BigEndian(7, 4));
    EXPECT_EQ(Build({folder_.File("plain.ifo")}),
              (Rows{{"ran", "走った"}, {"run", "走る\n駆ける"}, {"running", "走る\n駆ける"}}));
    ExpectSkipped("2 malformed entries skipped (entries 3, 5)");  // walk is 3, running 4

    Stardict typed;
    typed.offset_width = 8;
    typed.Add("run", std::string("tɹʌn") + '\0' + "h<b>走る</b><br>駆ける &amp; 逃げる&#x3002;" +
                         '\0' + "W" + BigEndian(3, 4) + "wav" + "x<k>run</k>" + '\0');
    typed.Add("picture", std::string("P") + BigEndian(2, 4) + "\x89P");
    Write("typed.ifo", Ifo("idxoffsetbits=64\n"));
    Write("typed.idx", typed.idx);
    Write("typed.dict", typed.dict);
    EXPECT_EQ(Build({folder_.File("typed.idx")}),
              (Rows{{"run", "ɹʌn\n走る\n駆ける & 逃げる。\nrun"}}));
    ExpectSkipped("1 malformed entry skipped (entry 2)");

    Stardict sequence;
    sequence.Add("run", std::string("ɹʌn") + '\0' + "<i>走る</i>");
    Write("seq.ifo", Ifo("sametypesequence=th\n"));
    Write("seq.idx", sequence.idx);
    Write("seq.dict", sequence.dict);
    ASSERT_EQ(std::system(("dictzip " + folder_.File("seq.dict")).c_str()), 0);
    EXPECT_EQ(Build({folder_.File("seq.dict.dz")}), (Rows{{"run", "ɹʌn\n走る"}}));
}

// ---- Eijiro ----

TEST_F(DictFormatsTest, StardictNumbersEveryEntryOnceInItsReport) {
    Stardict cut;
    cut.Add("run", "走る");
    Write("cut.ifo", Ifo("sametypesequence=m\nsynwordcount=2\n"));
    Write("cut.idx", cut.idx + std::string("walk\0\0\0", 7));  // the last entry cut off
    Write("cut.dict", cut.dict);
    Write("cut.syn",
          std::string("ran\0", 4) + BigEndian(0, 4) + std::string("bad\0", 4) + BigEndian(99, 4));
    EXPECT_EQ(Build({folder_.File("cut.ifo")}), (Rows{{"run", "走る"}, {"ran", "走る"}}));
    ExpectSkipped("2 malformed entries skipped (entries 2, 4)");
}

TEST_F(DictFormatsTest, EijiroInShiftJisAndUtf8) {
    const std::string text =
        "■run  {動-1} : 走る、駆ける\n■walk : 歩く■・Let's walk. 歩こう。\nbroken\n■ {名} : 空\n";
    const Rows expected = {{"run", "{動-1} 走る、駆ける"}, {"walk", "歩く■・Let's walk. 歩こう。"}};
    EXPECT_EQ(Build({Write("eijiro-sjis.txt", Encoded(text, "CP932"))}), expected);
    ExpectSkipped("2 malformed lines skipped (lines 3, 4)");
    EXPECT_EQ(Build({Write("eijiro-utf8.txt", "\xEF\xBB\xBF" + text)}), expected);
    // ■走る in CP932, written byte by byte.
    EXPECT_EQ(Build({Write("bytes.txt", "\x81\xA1hashiru : \x91\x96\x82\xE9\r\n")}),
              (Rows{{"hashiru", "走る"}}));
}

// ---- EDICT turned around ----

TEST_F(DictFormatsTest, EdictIsTurnedIntoEnglishHeadwords) {
    std::string text =
        "　？？？ /EDICT, EDICT_SUB(P) Japanese-English Electronic Dictionary Files/\n"
        "駆ける [かける] /(v1,vi) to run (e.g. of a horse)/to dash/\n"
        "駆ける [かける] /(v1,vi) to dash/\n"  // listed once for its gloss
        "走る [はしる] /(v5r,vi) (1) to run/(2) to travel (of a vehicle)/(P)/\n"
        "ラン /(n) (1) run/(2) (abbr) LAN/\n"
        "no slashes here\n"
        "行き来 [ゆきき] /(n,vs) coming and going/(exp) to and fro/\n"
        "違反 [いはん] /(n,vs) violation/infringement/(P)/\n";
    for (int i = 1; i <= 12; ++i) {
        text += "語" + std::to_string(i) + (i == 12 ? " /(n) plenty/(P)/\n" : " /(n) plenty/\n");
    }
    // The common word first, however late it comes, and five words at most.
    const std::string plenty = "語12, 語1, 語2, 語3, 語4";
    const Rows expected = {{"run", "走る [はしる], 駆ける [かける], ラン"},
                           {"dash", "駆ける [かける]"},
                           {"travel", "走る [はしる]"},
                           {"LAN", "ラン"},
                           {"coming and going", "行き来 [ゆきき]"},
                           {"to and fro", "行き来 [ゆきき]"},
                           {"violation", "違反 [いはん]"},
                           {"infringement", "違反 [いはん]"},
                           {"plenty", plenty}};
    EXPECT_EQ(Build({Write("edict", Encoded(text, "EUC-JP"))}), expected);
    ExpectSkipped("1 malformed line skipped (line 6)");
    EXPECT_EQ(Build({Write("jmdict.txt", text)}, {"--format", "edict-reverse"}), expected);
}

// ---- mdb through mdb-export ----

TEST_F(DictFormatsTest, MdbTablesComeThroughTheExporter) {
    // Stands in for mdb-export: checks its arguments and prints the CSV kept in the "database".
    const std::string exporter = Write("fake-mdb-export",
                                       "#!/bin/sh\n"
                                       "[ \"$1 $2 $4\" = '-b strip tbl00' ] || exit 9\n"
                                       "case \"$3\" in *broken*) echo 'Unable to read' >&2; "
                                       "exit 1;; esac\n"
                                       "cat \"$3\"\n");
    ::chmod(exporter.c_str(), 0755);
    const std::string database = Write("words.mdb",
                                       "ID,fld1,fld2\r\n"
                                       "1,\"run\",\"走る\"\r\n"
                                       "2,\"say \"\"hi\"\"\",\"「やあ」と言う\"\r\n"
                                       "3,\"multi\",\"一行目\r\n二行目\"\r\n"
                                       "4,\"\",\"空\"\r\n"
                                       "5,\"comma, inside\",\"カンマ\"\r\n");
    EXPECT_EQ(Build({database}, {"--mdb-export", exporter}), (Rows{{"run", "走る"},
                                                                   {"say \"hi\"", "「やあ」と言う"},
                                                                   {"multi", "一行目\r\n二行目"},
                                                                   {"comma, inside", "カンマ"}}));
    ExpectSkipped("1 malformed record skipped (record 4)");

    const std::string broken = Write("broken.mdb", "");
    ToolRun run = RunDict({"build", out_, "--mdb-export", exporter, broken});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("broken.mdb: " + exporter + " could not read it (status 1): Unable to read"),
        std::string::npos)
        << run.err;

    run = RunDict({"build", out_, "--mdb-export", folder_.File("no-such-exporter"), database});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("words.mdb: cannot run"), std::string::npos) << run.err;

    const std::string other = Write("other.mdb", "ID,word,meaning\n1,a,b\n");
    run = RunDict({"build", out_, "--mdb-export", exporter, other});
    EXPECT_NE(run.err.find("other.mdb: table tbl00 has no columns fld1 and fld2"),
              std::string::npos)
        << run.err;
}

// Ctrl-C on a terminal reaches the exporter as well as the builder, and the exporter dies of
// it: the build was interrupted, not failed, and the file it would replace stays as it was.
// This exporter ends its output first, so the builder is past reading it when the signal
// comes.
TEST_F(DictFormatsTest, CtrlCDuringAnMdbImportIsAnInterruption) {
    const std::string exporter = Write("interrupted-mdb-export",
                                       "#!/bin/sh\n"
                                       "printf 'ID,fld1,fld2\\n1,run,走る\\n'\n"
                                       "exec >&-\n"
                                       "kill -INT $PPID\n"
                                       "kill -INT $$\n");
    ::chmod(exporter.c_str(), 0755);
    const std::string database = Write("words.mdb", "");
    WriteBytes(out_, "existing dictionary bytes");
    const ToolRun run = RunDict({"build", out_, "--mdb-export", exporter, database});
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find("interrupted; " + out_ + " left as it was"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(out_), "existing dictionary bytes");
}

// ---- telling the format ----

TEST_F(DictFormatsTest, FormatIsToldByNameOrContent) {
    using dict::InputFormat;
    Write("pair.index", "");
    Write("pair.dict", "");
    Write("star.ifo", "");
    Write("star.dict.dz", "");
    const std::vector<std::tuple<std::string, std::string, std::optional<InputFormat>>> cases = {
        {"words.tsv", "", InputFormat::Tsv},
        {"pair.dict", "", InputFormat::Dictd},
        {"star.dict.dz", "", InputFormat::Stardict},
        {"dict.mdb", "", InputFormat::Mdb},
        {"edict2", "", InputFormat::EdictReverse},
        {"a", "run\t走る\n", InputFormat::Tsv},
        {"b", "\xEF\xBB\xBF■run : 走る\n", InputFormat::Eijiro},
        {"c", "\x81\xA1run : x\n", InputFormat::Eijiro},
        {"d", "走る [はしる] /(v5r) to run/\n", InputFormat::EdictReverse},
        {"e", "StarDict's dict ifo file\nversion=3.0.0\n", InputFormat::Stardict},
        {"f", std::string("\0\1\0\0Standard Jet DB\0", 20), InputFormat::Mdb},
        {"g", "just some text\n", std::nullopt},
    };
    for (const auto& [name, content, format] : cases) {
        SCOPED_TRACE(name);
        const std::string file = folder_.File(name);
        if (!std::filesystem::exists(file)) {
            WriteBytes(file, content);
        }
        EXPECT_EQ(dict::DetectFormat(file), format);
    }
}

}  // namespace
}  // namespace quorvantix::testing
