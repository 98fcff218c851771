// The code library: code sets indexed with their maker, type and model from the collections'
// layouts, makers and device types grouped, sets that send the same counted once, the order a
// maker's sets are tried in, the search, and the index kept up to date from the files on disk.
#include "codes/libraryfolders.h"
#include "codes/libraryindex.h"
#include "codes/librarymakers.h"
#include "codes/librarysearch.h"
#include "codes/ownerslibrary.h"
#include "codes/signalfile.h"
#include "codes/sqlitedb.h"
#include "environment.h"
#include "ir/fidelity.h"
#include "model/portablefiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace {

namespace fs = std::filesystem;

const fs::path kCollections = QTM418_CODES_TESTDATA;

using codes::CodeSet;
using codes::IndexReport;

// A Flipper file of parsed NEC buttons: name, address, command.
std::string flipper(const std::vector<std::tuple<std::string, int, int>>& buttons) {
    std::string text = "Filetype: IR signals file\nVersion: 1\n";
    for (const auto& [name, address, command] : buttons) {
        char line[160];
        std::snprintf(
            line, sizeof line,
            "#\nname: %s\ntype: parsed\nprotocol: NEC\naddress: %02X 00 00 00\ncommand: %02X 00 00 00\n",
            name.c_str(), address, command);
        text += line;
    }
    return text;
}

class LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qtm418-library-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
    }

    fs::path write(const std::string& name, const std::string& text) {
        const fs::path path = folder_ / "codes" / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path cache() const { return folder_ / "cache" / "codeindex.db"; }
    IndexReport refresh() { return refreshIndex(index_, {folder_ / "codes"}, cache()); }

    // The file the index holds for `name` under the codes folder, kept while the test runs.
    const codes::IndexedFile& indexed(const std::string& name) {
        // As the index names it: "a/b" is "a\\b" on Windows.
        const std::string path =
            model::pathText((folder_ / "codes" / model::textPath(name)).lexically_normal());
        auto file = index_.indexedFile(path);
        if (!file)
            ADD_FAILURE() << name << " is not in the index";
        return read_.emplace_back(file.value_or(codes::IndexedFile{}));
    }

    const CodeSet& only(const std::string& name) {
        const codes::IndexedFile& file = indexed(name);
        static const CodeSet none;
        EXPECT_EQ(file.sets.size(), 1u) << name << ": " << file.fault;
        return file.sets.empty() ? none : file.sets.front();
    }

    // The folder goes once the index has closed its database: Windows deletes no open file.
    struct RemovedLast {
        const fs::path& folder;
        ~RemovedLast() {
            std::error_code error;
            fs::remove_all(folder, error);
            EXPECT_FALSE(error) << folder << ": " << error.message();
        }
    };

    fs::path folder_;
    RemovedLast removal_{folder_};
    codes::LibraryIndex index_;
    std::deque<codes::IndexedFile> read_;
};

TEST(LibraryMakers, SpellingsOfOneMakerAreOne) {
    const struct {
        const char* written;
        const char* key;
        const char* shown;
    } cases[] = {
        {"LG Electronics", "lg", "LG"},
        {"l.g.", "lg", "LG"},
        {"LGE", "lg", "LG"},
        {"SAMSUNG", "samsung", "Samsung"},
        {"Samsung_Electronics", "samsung", "Samsung"},
        {"Mi", "xiaomi", "Xiaomi"},
        {"xiaomi", "xiaomi", "Xiaomi"},
        {"海信", "hisense", "Hisense"},
        {" TCL ", "tcl", "TCL"},
        {"Bang_&_Olufsen", "bangolufsen", "Bang & Olufsen"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codes::makerKey(c.written), c.key) << c.written;
        EXPECT_EQ(codes::makerDisplayName(c.written), c.shown) << c.written;
    }
}

TEST(LibraryMakers, DeviceTypesGoToTheirSide) {
    const std::pair<const char*, const char*> cases[] = {
        {"TVs", "tv"},
        {"Monitors", "tv"},
        {"Projectors", "tv"},
        {"TV", "tv"},
        {"media_player", "tv"},
        {"DVB-T", "cbl"},
        {"Cable_Boxes", "cbl"},
        {"Set-Top Boxes", "cbl"},
        {"IPTV", "cbl"},
        {"Satellite", "cbl"},
        {"Streaming_Devices", "cbl"},
        {"ACs", ""},
        {"CCTV", ""},
        {"Audio_and_Video_Receivers", ""},
        {"Fans", ""},
        {"", ""},
    };
    for (const auto& [type, side] : cases)
        EXPECT_EQ(codes::sideOfDeviceType(type), side) << type;
}

TEST(LibraryIndexing, TheCollectionsLayoutsGiveMakerTypeAndModel) {
    if (!fs::is_directory(kCollections))
        GTEST_SKIP() << "no code collections at " << kCollections;
    codes::LibraryIndex index;
    EXPECT_EQ(index.open({}), "");
    const IndexReport report = index.update({kCollections}, 2);
    EXPECT_EQ(report.read, 59u); // the README and the licence are not code files
    // A fan's file holds only radio packets: nothing in it can be learned.
    ASSERT_EQ(report.faults.size(), 1u);
    EXPECT_EQ(report.faults[0],
              model::pathText((kCollections / "smartir" / "fan" / "1000.json").lexically_normal()) +
                  ": no code in it can be used: 13 radio packets, not infrared");
    const struct {
        const char* file;
        const char* maker;
        const char* type;
        const char* side;
        const char* model;
        const char* power; // "" for none
    } cases[] = {
        {"flipper-irdb-cc0/TVs/Samsung/Samsung_BN59-01330C.ir", "Samsung", "TVs", "tv", "BN59-01330C",
         "Power"},
        {"flipper-irdb-cc0/Projectors/Sony/Sony RM-PJ30/Sony RM-PJ30 ID-2.ir", "Sony", "Projectors", "tv",
         "RM-PJ30 ID-2", "Standby"},
        {"flipper-irdb-cc0/Streaming_Devices/Apple/Apple_TV_4K_Gen2.ir", "Apple", "Streaming_Devices", "cbl",
         "TV 4K Gen2", "Power_off"},
        {"flipper-irdb-cc0/Car_Multimedia/DVD_Players/Lexus/Lexus_GX470_DVD_2008.ir", "Lexus", "DVD_Players",
         "", "GX470 DVD 2008", nullptr},
        {"smartir/media_player/1020.json", "Sony", "media_player", "tv", "KDL-46HX800", "off"},
        {"smartir/climate/1000.json", nullptr, "climate", "", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const std::string path = model::pathText((kCollections / c.file).lexically_normal());
        const auto file = index.indexedFile(path);
        ASSERT_TRUE(file) << c.file;
        ASSERT_EQ(file->sets.size(), 1u) << c.file;
        const CodeSet& set = file->sets[0];
        if (c.maker) {
            EXPECT_EQ(set.maker, c.maker) << c.file;
        }
        EXPECT_EQ(set.deviceType, c.type) << c.file;
        EXPECT_EQ(set.side, c.side) << c.file;
        if (c.model) {
            EXPECT_EQ(set.model, c.model) << c.file;
        }
        if (c.power) {
            EXPECT_EQ(set.power < 0 ? "" : set.codes[static_cast<std::size_t>(set.power)].button, c.power)
                << c.file;
        }
    }
}

TEST_F(LibraryTest, FilesOutsideTheCollectionsAndDamagedOnesAreIndexedOrNamedOnce) {
    write("codes/Samsung/TV/7,7.csv", "functionname,protocol,device,subdevice,function\n"
                                      "Power,NEC1,7,7,2\nMute,NEC1,7,7,15\n");
    write("lirc/lg/lircd.conf.pair",
          "begin remote\n name lg-tv\n bits 16\n flags SPACE_ENC|CONST_LENGTH\n"
          " header 9000 4500\n one 560 1690\n zero 560 560\n ptrail 560\n"
          " pre_data_bits 16\n pre_data 0x20DF\n gap 108000\n"
          " begin codes\n  KEY_POWER 0x10EF\n end codes\nend remote\n"
          "begin remote\n name lg-box\n bits 16\n flags SPACE_ENC|CONST_LENGTH\n"
          " header 9000 4500\n one 560 1690\n zero 560 560\n ptrail 560\n"
          " pre_data_bits 16\n pre_data 0x20DE\n gap 108000\n"
          " begin codes\n  KEY_MUTE 0x10EF\n  KEY_POWER 0x11EE\n end codes\nend remote\n");
    write("Hisense_EN2B27_tv.ir", flipper({{"Power", 4, 8}}));
    write("broken.ir", "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: raw\ndata: 9000 x\n");
    write("notes.txt", "shopping list\n");
    write(".git/objects/stray.ir", flipper({{"Power", 1, 1}}));
    const IndexReport report = refresh();
    EXPECT_EQ(report.read, 5u);
    EXPECT_EQ(report.sets, 4u);
    ASSERT_EQ(report.faults.size(), 2u);
    EXPECT_NE(report.faults[0].find("broken.ir:"), std::string::npos) << report.faults[0];
    EXPECT_NE(report.faults[1].find("notes.txt: not a code file"), std::string::npos) << report.faults[1];

    const CodeSet& irdb = only("codes/Samsung/TV/7,7.csv");
    EXPECT_EQ(std::tie(irdb.maker, irdb.deviceType, irdb.side, irdb.model),
              std::make_tuple("Samsung", "TV", "tv", "7,7"));
    const CodeSet& own = only("Hisense_EN2B27_tv.ir");
    EXPECT_EQ(std::tie(own.maker, own.side, own.model), std::make_tuple("Hisense", "tv", "EN2B27 tv"));

    const codes::IndexedFile* lirc = &indexed("lirc/lg/lircd.conf.pair");
    ASSERT_EQ(lirc->sets.size(), 2u);
    EXPECT_EQ(lirc->sets[0].model, "lg-tv");
    EXPECT_EQ(lirc->sets[1].remote, "lg-box");
    EXPECT_EQ(lirc->sets[1].maker, "LG");
    ASSERT_EQ(lirc->sets[1].codes.size(), 2u);
    EXPECT_EQ(lirc->sets[1].codes[0].button, "KEY_MUTE");
    EXPECT_EQ(lirc->sets[1].power, 1);
    EXPECT_NE(lirc->sets[0].id, lirc->sets[1].id);

    const IndexReport missing = index_.update({folder_ / "gone"});
    ASSERT_EQ(missing.faults.size(), 1u);
    EXPECT_NE(missing.faults[0].find("gone"), std::string::npos);
    EXPECT_EQ(missing.dropped, 5u);
}

// A folder listed twice, or inside another listed folder, gives its files once, under the first
// folder that reaches them.
TEST_F(LibraryTest, AFolderInsideAnotherGivesItsFilesOnce) {
    write("TVs/LG/LG_A.ir", flipper({{"Power", 4, 8}}));
    write("TVs/Sony/Sony_B.ir", flipper({{"Power", 1, 8}}));
    write("DVB-T/Humax/Humax_C.ir", flipper({{"Power", 2, 8}}));
    const fs::path codes = folder_ / "codes";
    ASSERT_EQ(index_.open(cache()), "");
    const std::vector<std::vector<fs::path>> listings{
        {codes / "TVs", codes, codes / "TVs" / "LG", codes / "TVs" / ""},
        {codes / "TVs" / "LG", codes / "DVB-T" / "..", codes},
    };
    for (const auto& folders : listings) {
        const IndexReport report = index_.update(folders);
        EXPECT_EQ(report.read + report.kept, 3u);
        EXPECT_EQ(report.sets, 3u);
        EXPECT_TRUE(report.faults.empty()) << report.faults.front();
    }
    EXPECT_EQ(codes::CodeLibrary(index_).size(), 3u);
}

TEST_F(LibraryTest, ALinkToNowhereIsPassedOver) {
#if defined(_WIN32)
    GTEST_SKIP() << "MinGW's std::filesystem cannot make symbolic links (create_symlink fails with "
                    "ENOSYS; Windows also asks a privilege for them): the Linux build checks this";
#endif
    write("Hisense_EN2B27_tv.ir", flipper({{"Power", 4, 8}}));
    fs::create_symlink(folder_ / "nowhere.ir", folder_ / "codes" / "dangling.ir");
    const IndexReport report = refresh();
    EXPECT_EQ(report.read, 1u);
    EXPECT_EQ(report.sets, 1u);
    EXPECT_TRUE(report.faults.empty()) << report.faults.front();
}

// Paths as text, to compare and to show.
std::vector<std::string> texts(const std::vector<fs::path>& paths) {
    std::vector<std::string> out;
    for (const fs::path& path : paths)
        out.push_back(model::pathText(path));
    return out;
}

// Windows keeps paths in UTF-16: a folder named outside ASCII (a Chinese user name) must come
// through the index, its cache file and the folders list whole.
TEST_F(LibraryTest, AFolderNamedOutsideAsciiIsIndexedReadAgainAndListed) {
    const fs::path own = folder_ / "codes" / fs::path(u8"遥控器 代码");
    fs::create_directories(own);
    std::ofstream(own / fs::path(u8"索尼_电视.ir"), std::ios::binary)
        << flipper({{"Power", 1, 8}, {"Mute", 1, 9}});
    const IndexReport report = refresh();
    ASSERT_EQ(report.sets, 1u) << (report.faults.empty() ? "" : report.faults.front());
    const CodeSet set = only(model::pathText(fs::path(u8"遥控器 代码") / fs::path(u8"索尼_电视.ir")));
    EXPECT_EQ(set.file, model::pathText((own / fs::path(u8"索尼_电视.ir")).lexically_normal()));
    EXPECT_EQ(set.model, std::string(reinterpret_cast<const char*>(u8"电视")));
    const auto signals = codes::readSetSignals(set);
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(signals))
        << codes::describe(std::get<codes::FileProblem>(signals));
    EXPECT_EQ(std::get<std::vector<codes::NamedSignal>>(signals).size(), 2u);

    // Read back from the cache, nothing is read again and the set is the same.
    const IndexReport again = refresh();
    EXPECT_EQ(again.read, 0u);
    EXPECT_EQ(again.kept, 1u);
    EXPECT_EQ(only(model::pathText(fs::path(u8"遥控器 代码") / fs::path(u8"索尼_电视.ir"))).file, set.file);

    const fs::path list = folder_ / "library.json";
    ASSERT_FALSE(codes::saveLibraryFolders(list, codes::LibraryFolders{{own}}));
    const auto loaded = codes::loadLibraryFolders(list);
    ASSERT_TRUE(std::holds_alternative<codes::LibraryFolders>(loaded)) << std::get<std::string>(loaded);
    EXPECT_EQ(texts(std::get<codes::LibraryFolders>(loaded).folders), texts({own.lexically_normal()}));
}

// The list of folders goes with the user's settings, the index into the cache: XDG's folders on
// Linux, %APPDATA% and %LOCALAPPDATA% on Windows.
TEST(OwnersLibrary, KeepsItsFilesInTheUsersFoldersOfTheSystem) {
    const fs::path home = fs::temp_directory_path() / "qtm418-owner";
#if defined(_WIN32)
    const testsupport::ScopedEnvironment roaming("APPDATA", home / "Roaming");
    const testsupport::ScopedEnvironment local("LOCALAPPDATA", home / "Local");
    EXPECT_EQ(model::pathText(codes::libraryFoldersFile()),
              model::pathText(home / "Roaming" / "qtm418" / "library.json"));
    EXPECT_EQ(model::pathText(codes::libraryIndexFile()),
              model::pathText(home / "Local" / "qtm418" / "codeindex.db"));
    EXPECT_EQ(texts(codes::standardLibraryFolders()), texts({home / "Roaming" / "qtm418" / "codes"}));
#else
    const testsupport::ScopedEnvironment config("XDG_CONFIG_HOME", home / "config");
    const testsupport::ScopedEnvironment cache("XDG_CACHE_HOME", home / "cache");
    const testsupport::ScopedEnvironment data("XDG_DATA_HOME", home / "data");
    EXPECT_EQ(model::pathText(codes::libraryFoldersFile()),
              model::pathText(home / "config" / "qtm418" / "library.json"));
    EXPECT_EQ(model::pathText(codes::libraryIndexFile()),
              model::pathText(home / "cache" / "qtm418" / "codeindex.db"));
    EXPECT_EQ(texts(codes::standardLibraryFolders()),
              texts({"/usr/share/lirc/remotes", home / "data" / "qtm418" / "codes"}));

    const testsupport::ScopedEnvironment user("HOME", home);
    const testsupport::ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    const testsupport::ScopedEnvironment noCache("XDG_CACHE_HOME", std::nullopt);
    EXPECT_EQ(model::pathText(codes::libraryFoldersFile()),
              model::pathText(home / ".config" / "qtm418" / "library.json"));
    EXPECT_EQ(model::pathText(codes::libraryIndexFile()),
              model::pathText(home / ".cache" / "qtm418" / "codeindex.db"));
#endif
}

TEST_F(LibraryTest, SetsThatSendTheSameCountOnceAcrossFormatsAndRecordings) {
    const std::string parsed = flipper({{"Power", 4, 8}, {"Mute", 4, 9}});
    write("TVs/LG/LG_A.ir", parsed);
    // The same two codes recorded from the remote: each duration a little off, the buttons named
    // otherwise and in the other order.
    const auto signals = std::get<std::vector<codes::NamedSignal>>(codes::readSignalText(parsed, "a.ir"));
    std::string raw = "Filetype: IR signals file\nVersion: 1\n";
    for (const char* name : {"MUTE", "POWER"}) {
        raw += std::string("#\nname: ") + name + "\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata:";
        int step = 0;
        for (const int micros : signals[name[0] == 'M' ? 1 : 0].signal.timings)
            raw += " " + std::to_string(micros + (++step % 3 - 1) * 60);
        raw += "\n";
    }
    write("TVs/LG_Electronics/recorded.ir", raw);
    write("TVs/LG/LG_B.ir", flipper({{"Power", 4, 8}, {"Mute", 4, 10}}));
    write("TVs/LG/LG_C.ir", flipper({{"Power", 4, 8}}));
    // The same codes for another side of the remote are another set.
    write("DVB-T/LG/LG_D.ir", parsed);
    // Another maker's copy, indexed first, hides neither maker's set from a search.
    write("TVs/Akai/Akai_copy.ir", parsed);
    refresh();
    const codes::CodeLibrary library(index_);
    EXPECT_EQ(library.size(), 6u);
    EXPECT_EQ(library.distinct(), 4u);
    const auto akai = library.search("akai");
    ASSERT_EQ(akai.size(), 1u);
    EXPECT_EQ(akai[0].copies, 3u);
    const auto found = library.search("lg", "tv");
    ASSERT_EQ(found.size(), 3u);
    std::vector<std::size_t> copies;
    for (const auto& f : found)
        copies.push_back(f.copies);
    std::sort(copies.begin(), copies.end());
    EXPECT_EQ(copies, (std::vector<std::size_t>{1, 1, 3}));
    for (const auto& f : found)
        EXPECT_EQ(f.set->makerKey, "lg");
    EXPECT_FALSE(codes::sameCodes(only("TVs/LG/LG_A.ir"), only("TVs/LG/LG_B.ir")));
    EXPECT_FALSE(codes::sameCodes(only("TVs/LG/LG_A.ir"), only("TVs/LG/LG_C.ir")));
    EXPECT_TRUE(codes::sameCodes(only("TVs/LG/LG_A.ir"), only("TVs/LG_Electronics/recorded.ir")));
}

TEST_F(LibraryTest, AMakersSetsAreTriedMostSharedPowerCodeFirst) {
    // Power codes: 8 in three distinct sets and a copy, 9 in one, 7 in a set of another maker.
    write("TVs/Sony/Sony_one.ir", flipper({{"Power", 1, 8}, {"Mute", 1, 20}}));
    write("TVs/Sony/Sony_two.ir", flipper({{"Power", 1, 9}, {"Mute", 1, 21}}));
    write("TVs/Sony/Sony_three.ir", flipper({{"Power", 1, 8}, {"Mute", 1, 22}}));
    write("TVs/Sony/Sony_three_copy.ir", flipper({{"Power", 1, 8}, {"Mute", 1, 22}}));
    write("TVs/Sony/Sony_four.ir", flipper({{"Power", 1, 8}, {"Vol_up", 1, 23}}));
    write("TVs/Sony/Sony_mute_only.ir", flipper({{"Mute", 1, 24}}));
    write("TVs/Panasonic/Panasonic_five.ir", flipper({{"Power", 1, 7}}));
    write("Streaming_Devices/Sony/Sony_box.ir", flipper({{"Power", 1, 8}}));
    refresh();
    const codes::CodeLibrary library(index_);
    const auto order = library.candidates("tv", "SONY");
    std::vector<std::pair<std::string, std::size_t>> got;
    for (const auto& c : order)
        got.emplace_back(c.set->model, c.powerShared);
    // The box's Power code counts among those sharing it; ties go by model.
    const std::vector<std::pair<std::string, std::size_t>> expected{
        {"four", 5}, {"one", 5}, {"three", 5}, {"two", 1}};
    EXPECT_EQ(got, expected);
    ASSERT_EQ(library.candidates("cbl", "sony").size(), 1u);
    EXPECT_TRUE(library.candidates("tv", "Philips").empty());
}

TEST_F(LibraryTest, SearchFindsEveryWordInMakerOrModelOnOneSide) {
    write("TVs/LG/LG_OLED55C1.ir", flipper({{"Power", 4, 8}}));
    write("TVs/LG/LG_NANO75.ir", flipper({{"Power", 4, 9}}));
    write("Streaming_Devices/Xiaomi/Xiaomi_Mi_Box_S.ir", flipper({{"Power", 5, 8}}));
    write("TVs/Samsung/Samsung_UE55.ir", flipper({{"Power", 7, 2}}));
    write("TVs/LG/LG_mute_only.ir", flipper({{"Mute", 4, 10}}));
    refresh();
    const codes::CodeLibrary library(index_);
    const struct {
        const char* words;
        const char* side;
        std::vector<std::string> models;
    } cases[] = {
        {"lg", "", {"NANO75", "OLED55C1", "mute only"}},
        {"LG Electronics", "", {"NANO75", "OLED55C1", "mute only"}},
        {"lg oled", "", {"OLED55C1"}},
        {"oled55", "tv", {"OLED55C1"}},
        {"mi", "", {"Mi Box S"}},
        {"xiaomi box", "cbl", {"Mi Box S"}},
        {"xiaomi", "tv", {}},
        {"ue55 lg", "", {}},
        {"", "", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> models;
        for (const auto& found : library.search(c.words, c.side))
            models.push_back(found.set->model);
        EXPECT_EQ(models, c.models) << "'" << c.words << "' " << c.side;
    }
    const auto makers = library.makers("tv");
    ASSERT_EQ(makers.size(), 2u);
    // Only the sets with a Power button can be tried.
    EXPECT_EQ(std::tie(makers[0].maker, makers[0].sets, makers[0].candidates), std::make_tuple("LG", 3u, 2u));
    EXPECT_EQ(library.candidates("tv", "lg").size(), makers[0].candidates);
    const auto lg = library.search("oled");
    ASSERT_EQ(lg.size(), 1u);
    EXPECT_EQ(library.find(lg[0].set->id), lg[0].set);
    EXPECT_EQ(library.find(lg[0].set->file), lg[0].set);
    EXPECT_EQ(library.find("0000000000"), nullptr);
}

TEST_F(LibraryTest, TheIndexRereadsOnlyWhatChangedOnDisk) {
    write("TVs/LG/kept.ir", flipper({{"Power", 4, 8}}));
    write("TVs/LG/changed.ir", flipper({{"Power", 4, 9}}));
    const fs::path touched = write("TVs/LG/touched.ir", flipper({{"Power", 4, 10}}));
    const fs::path removed = write("TVs/LG/removed.ir", flipper({{"Power", 4, 11}}));
    const fs::path damaged = write("TVs/LG/damaged.ir", flipper({{"Power", 4, 12}}));
    EXPECT_EQ(refresh().read, 5u);
    const IndexReport unchanged = refresh();
    EXPECT_EQ(std::tie(unchanged.read, unchanged.kept, unchanged.dropped), std::make_tuple(0u, 5u, 0u));
    EXPECT_EQ(codes::CodeLibrary(index_).size(), 5u);
    const std::vector<int> touchedBefore = only("TVs/LG/touched.ir").codes.at(0).timings;

    write("TVs/LG/changed.ir", flipper({{"Power", 4, 9}, {"Mute", 4, 13}}));
    // The same size written again, its time moved on.
    write("TVs/LG/touched.ir", flipper({{"Power", 4, 14}}));
    fs::last_write_time(touched, fs::last_write_time(touched) + std::chrono::seconds(2));
    fs::remove(removed);
    write("TVs/LG/added.ir", flipper({{"Power", 4, 15}}));
    write("TVs/LG/damaged.ir", "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: parsed\n");
    const IndexReport update = refresh();
    EXPECT_EQ(std::tie(update.read, update.kept, update.dropped), std::make_tuple(4u, 1u, 1u));
    ASSERT_EQ(update.faults.size(), 1u);
    EXPECT_NE(update.faults[0].find("damaged.ir"), std::string::npos);
    EXPECT_EQ(only("TVs/LG/changed.ir").codes.size(), 2u);
    const codes::CodeLibrary library(index_);
    EXPECT_EQ(library.size(), 4u);

    // Read back from the cache, the damaged file is still named once and nothing is read.
    const IndexReport again = refresh();
    EXPECT_EQ(std::tie(again.read, again.kept), std::make_tuple(0u, 5u));
    EXPECT_EQ(again.faults, update.faults);
    EXPECT_NE(only("TVs/LG/touched.ir").codes.at(0).timings, touchedBefore);
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Damage the header shows (not a database, another program's, another layout) is found when the
// index is opened, and it is made anew; damage deeper in is found by the first query that reads
// it, which says so and gives nothing rather than a wrong answer, and the index is made anew when
// next opened.
TEST_F(LibraryTest, ADamagedOrForeignIndexIsMadeAnewFromTheFiles) {
    write("TVs/LG/one.ir", flipper({{"Power", 4, 8}}));
    refresh();
    index_ = {};
    const std::string whole = bytesOf(cache());
    ASSERT_GT(whole.size(), 8192u);
    const auto withDatabase = [&](const char* sql) {
        return [this, sql] {
            fs::remove(cache());
            codes::sqlite::Database(cache()).execute(sql);
        };
    };
    const auto withBytes = [&](std::string bytes) {
        return [this, bytes] { std::ofstream(cache(), std::ios::binary | std::ios::trunc) << bytes; };
    };
    std::string overwritten = whole;
    std::fill(overwritten.begin() + 4096, overwritten.end(), '\xA5');
    const struct {
        const char* what;
        std::function<void()> damage;
        const char* note; // "" where the damage lies deeper than opening reads
    } cases[] = {
        {"not a database", withBytes("another program's file\n"), "is damaged"},
        {"the old index file", withBytes(std::string("QTM418-CODE-INDEX 2\n\x01\x03", 22)), "is damaged"},
        {"another program's database", withDatabase("CREATE TABLE notes(text TEXT)"),
         "is not an index of this"},
        {"another layout",
         withDatabase("PRAGMA application_id = 1364479284; PRAGMA user_version = 99; "
                      "CREATE TABLE sets(id INTEGER PRIMARY KEY)"),
         "is of another layout"},
        {"cut short", withBytes(whole.substr(0, 4096 + 100)), ""},
        {"pages overwritten", withBytes(overwritten), ""},
    };
    for (const auto& c : cases) {
        c.damage();
        const IndexReport report = refresh();
        if (*c.note) {
            EXPECT_NE(report.note.find(c.note), std::string::npos) << c.what << ": " << report.note;
            EXPECT_NE(report.note.find("made anew"), std::string::npos) << c.what << ": " << report.note;
            EXPECT_EQ(report.read, 1u) << c.what;
        }
        {
            const codes::CodeLibrary library(index_);
            const auto found = library.search("lg");
            if (found.size() != 1) {
                EXPECT_FALSE(library.fault().empty()) << c.what << ": no set and no word why";
            }
        }
        index_ = {};
        refresh();
        const codes::CodeLibrary library(index_);
        EXPECT_EQ(library.search("lg").size(), 1u) << c.what << ": " << library.fault();
        index_ = {};
    }
}

// Another program (the window while qtm418ctl runs) bringing the index up to date is waited for;
// past the wait, the index is used as it stands and the report says why it is not up to date.
TEST_F(LibraryTest, AnIndexHeldByAnotherProgramIsUsedAsItStands) {
    write("TVs/LG/one.ir", flipper({{"Power", 4, 8}}));
    refresh();
    write("TVs/LG/two.ir", flipper({{"Power", 4, 9}}));
    codes::sqlite::Database other(cache());
    other.execute("BEGIN IMMEDIATE");
    codes::LibraryIndex waiting;
    EXPECT_EQ(waiting.open(cache(), 50), "");
    const IndexReport held = waiting.update({folder_ / "codes"});
    EXPECT_NE(held.note.find("another program has been updating the library's index for over 50 ms"),
              std::string::npos)
        << held.note;
    EXPECT_EQ(held.read, 0u);
    EXPECT_EQ(codes::CodeLibrary(waiting).search("lg").size(), 1u);

    other.execute("ROLLBACK");
    const IndexReport free = waiting.update({folder_ / "codes"});
    EXPECT_EQ(free.note, "");
    EXPECT_EQ(std::tie(free.read, free.kept), std::make_tuple(1u, 1u));
    EXPECT_EQ(codes::CodeLibrary(waiting).search("lg").size(), 2u);
}

// A folder where no file can be made keeps the index in memory for the run: the library works,
// and the report says where the index could not be kept.
TEST_F(LibraryTest, AnIndexThatCannotBeKeptOnDiskIsKeptInMemory) {
    write("TVs/LG/one.ir", flipper({{"Power", 4, 8}}));
    write("cache", "a file where the index's folder should be");
    const IndexReport report =
        refreshIndex(index_, {folder_ / "codes"}, folder_ / "codes" / "cache" / "codeindex.db");
    EXPECT_NE(report.note.find("it is kept in memory for this run"), std::string::npos) << report.note;
    EXPECT_EQ(report.read, 1u);
    EXPECT_EQ(codes::CodeLibrary(index_).search("lg").size(), 1u);
}

// IRDB has rows without a function name, files of protocols not rendered, SmartIR radio packets
// and null commands: each such code is counted and said once for its file, the rest of the file
// kept; a file is refused only when none of its codes can be used.
TEST_F(LibraryTest, CodesThatCannotBeUsedAreCountedTheRestOfTheirFileKept) {
    const std::string heading = "functionname,protocol,device,subdevice,function\n";
    write("G.I. Cable/Cable Box/0,-1.csv",
          heading + "POWER,G.I.Cable,0,-1,10\n,G.I.Cable,0,-1,0\n"
                    ",G.I.Cable,0,-1,1\nGUIDE,XMP,1,2,3\nMUTE,G.I.Cable,0,-1,11\n");
    write("Acme/TV/1,-1.csv", heading + "POWER,XMP,1,2,3\nMUTE,XMP,1,2,4\nMENU,Zenith,1,-1,5\n");
    const std::string infrared = "JgAMAAABKJQSNxIQEgANBQAAAAAAAAAA";
    const std::string radio = "sgAMAAABKJQSNxIQEgANBQAAAAAAAAAA";
    write("media_player/1000.json", "{\"manufacturer\": \"Sony\", \"supportedModels\": [\"KDL\"],\n"
                                    "\"commands\": {\"off\": \"" +
                                        infrared + "\", \"on\": \"" + radio + "\", \"mute\": null}}\n");
    const IndexReport report = refresh();
    EXPECT_EQ(report.read, 3u);
    EXPECT_EQ(report.sets, 2u);
    ASSERT_EQ(report.faults.size(), 1u);
    EXPECT_NE(
        report.faults[0].find(model::pathText(fs::path("Acme") / "TV" / "1,-1.csv") +
                              ": no code in it can be used: 3 of a protocol not rendered here (XMP, Zenith)"),
        std::string::npos)
        << report.faults[0];
    ASSERT_EQ(report.skipped.size(), 2u);
    EXPECT_NE(report.skipped[0].find("0,-1.csv: 3 of 5 codes cannot be used: 2 without a name or protocol; "
                                     "1 of a protocol not rendered here (XMP)"),
              std::string::npos)
        << report.skipped[0];
    EXPECT_NE(report.skipped[1].find("1000.json: 2 of 3 codes cannot be used: 1 radio packets, not "
                                     "infrared; 1 null"),
              std::string::npos)
        << report.skipped[1];

    const CodeSet& box = only("G.I. Cable/Cable Box/0,-1.csv");
    ASSERT_EQ(box.codes.size(), 5u);
    ASSERT_EQ(box.power, 0);
    EXPECT_TRUE(box.codes[1].timings.empty());
    EXPECT_FALSE(box.codes[4].timings.empty());
    EXPECT_EQ(indexed("G.I. Cable/Cable Box/0,-1.csv").skipped, 3u);

    // Read back unchanged, each is still said once.
    const IndexReport again = refresh();
    EXPECT_EQ(again.read, 0u);
    EXPECT_EQ(again.faults, report.faults);
    EXPECT_EQ(again.skipped, report.skipped);
}

TEST_F(LibraryTest, FoldersAreKeptInTheirFileWithTheStandardOnesThatExist) {
    const fs::path file = folder_ / "config" / "library.json";
    auto loaded = codes::loadLibraryFolders(file);
    ASSERT_TRUE(std::holds_alternative<codes::LibraryFolders>(loaded));
    codes::LibraryFolders list = std::get<codes::LibraryFolders>(loaded);
    EXPECT_TRUE(list.folders.empty());
    EXPECT_TRUE(codes::addLibraryFolder(list, folder_ / "codes" / ""));
    EXPECT_FALSE(codes::addLibraryFolder(list, folder_ / "x" / ".." / "codes"));
    EXPECT_TRUE(codes::addLibraryFolder(list, folder_ / "more \"quoted\""));
    ASSERT_FALSE(codes::saveLibraryFolders(file, list));
    loaded = codes::loadLibraryFolders(file);
    ASSERT_TRUE(std::holds_alternative<codes::LibraryFolders>(loaded));
    EXPECT_EQ(std::get<codes::LibraryFolders>(loaded).folders, list.folders);
    EXPECT_TRUE(codes::removeLibraryFolder(list, folder_ / "more \"quoted\""));
    EXPECT_FALSE(codes::removeLibraryFolder(list, folder_ / "never"));

    fs::create_directories(folder_ / "user-codes");
    const auto all =
        codes::libraryFolders(list, {folder_ / "no-such-folder", folder_ / "user-codes", folder_ / "codes"});
    EXPECT_EQ(all, (std::vector<fs::path>{folder_ / "codes", folder_ / "user-codes"}));

    for (const char* damaged : {"{\"folders\": [1]}", "{\"folders\": \"/a\"}", "[", "{}"}) {
        std::ofstream(file, std::ios::trunc) << damaged;
        loaded = codes::loadLibraryFolders(file);
        ASSERT_TRUE(std::holds_alternative<std::string>(loaded)) << damaged;
        EXPECT_NE(std::get<std::string>(loaded).find("library.json"), std::string::npos);
    }
}

// Learning takes a set's whole signals from its file again: one remote's of a lircd.conf, under
// its own button names; a file changed since it was indexed is refused.
TEST_F(LibraryTest, ASetsSignalsAreReadAgainFromItsFile) {
    const std::string remote = "begin remote\n  name %s\n  bits 16\n  flags SPACE_ENC|CONST_LENGTH\n"
                               "  header 9000 4500\n  one 560 1690\n  zero 560 560\n  ptrail 560\n"
                               "  pre_data_bits 16\n  pre_data 0x20DF\n  gap 108000\n"
                               "  begin codes\n    KEY_POWER 0x10EF\n    KEY_MUTE 0x906F\n  end codes\n"
                               "end remote\n";
    char two[2048];
    std::snprintf(two, sizeof two, (remote + remote).c_str(), "first", "second");
    const fs::path file = write("LG/lircd.conf", two);
    refresh();
    const codes::CodeLibrary library(index_);
    const auto found = library.search("second");
    ASSERT_EQ(found.size(), 1u);
    const auto read = codes::readSetSignals(*found[0].set);
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(read))
        << codes::describe(std::get<codes::FileProblem>(read));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
    ASSERT_EQ(signals.size(), 2u);
    EXPECT_EQ(signals[0].name, "KEY_POWER");
    EXPECT_EQ(signals[1].name, "KEY_MUTE");
    EXPECT_EQ(ir::shortPress(signals[1].signal.timings), found[0].set->codes[1].timings);

    write("LG/lircd.conf", std::string(two).substr(0, std::string(two).find("end remote") + 11));
    const auto changed = codes::readSetSignals(*found[0].set);
    ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(changed));
    EXPECT_NE(
        codes::describe(std::get<codes::FileProblem>(changed)).find("changed since the library was indexed"),
        std::string::npos);
}

} // namespace
