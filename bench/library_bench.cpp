// Report: the code library at the size of the public collections. A generated library of 12,000
// code sets in the three collections' shapes (Flipper-IRDB's .ir files in type/maker folders,
// IRDB's CSV files in maker/type folders, SmartIR's JSON files), indexed the first time, brought
// up to date unchanged, searched and asked for a maker's sets to try; then `qtm418ctl library
// search` timed as a whole command, with its peak memory.
//
//   bench_library                      all of it, in a scratch folder of its own
//   bench_library DIR                  the same over the code files under DIR
//   bench_library --generate DIR [N]   write the generated library (N sets, 12,000 unless given)
//
// Targets: first indexing <= 5 s, the whole search command <= 0.15 s, a query <= 10 ms, a maker's
// candidates <= 20 ms, peak memory of the search <= 32 MB.
#include "codes/libraryindex.h"
#include "codes/librarysearch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

constexpr int kSets = 12000;

const char* const kMakers[] = {"Samsung", "LG",      "Sony",   "Philips",  "Panasonic", "TCL",   "Hisense",
                               "Sharp",   "Toshiba", "Xiaomi", "Skyworth", "Haier",     "Vizio", "Grundig"};

// An NEC frame for a 16-bit address and a command, then its ditto twice, as a held key sends it.
std::vector<int> necPress(unsigned address, unsigned command) {
    std::vector<int> t{9000, 4500};
    const unsigned bits = address | command << 16 | (~command & 0xFF) << 24;
    for (int i = 0; i < 32; ++i) {
        t.push_back(560);
        t.push_back(bits >> i & 1 ? 1690 : 560);
    }
    for (int ditto = 0; ditto < 2; ++ditto)
        t.insert(t.end(), {560, ditto == 0 ? 40000 : 96000, 9000, 2250});
    t.push_back(560);
    return t;
}

// As a receiver records it: a little off every time.
std::string recorded(const std::vector<int>& timings, std::mt19937& random) {
    std::uniform_int_distribution<int> jitter(-40, 40);
    std::string data;
    for (const int micros : timings)
        data += std::to_string(micros + jitter(random)) + " ";
    data.pop_back();
    return data;
}

std::string base64(const std::vector<unsigned char>& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned n = bytes[i] << 16 | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                           (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        for (int k = 0; k < 4; ++k)
            out += i * 8 + static_cast<std::size_t>(k) * 6 < bytes.size() * 8
                       ? kDigits[n >> (18 - 6 * k) & 63]
                       : '=';
    }
    return out;
}

// A Broadlink infrared packet of the timings, in base64, as SmartIR keeps its commands.
std::string broadlink(const std::vector<int>& timings) {
    std::vector<unsigned char> data;
    for (const int micros : timings) {
        const auto units = static_cast<unsigned>(std::lround(micros * 269.0 / 8192.0));
        if (units < 256) {
            data.push_back(static_cast<unsigned char>(units));
        } else {
            data.insert(data.end(),
                        {0, static_cast<unsigned char>(units >> 8), static_cast<unsigned char>(units)});
        }
    }
    data.insert(data.end(), {0x0D, 0x05});
    std::vector<unsigned char> packet{0x26, 0, static_cast<unsigned char>(data.size()),
                                      static_cast<unsigned char>(data.size() >> 8)};
    packet.insert(packet.end(), data.begin(), data.end());
    packet.resize((packet.size() + 15) / 16 * 16, 0);
    return base64(packet);
}

// ESPHome's raw list: marks positive, spaces negative.
std::string espHome(const std::vector<int>& timings) {
    std::string list = "[";
    for (std::size_t i = 0; i < timings.size(); ++i)
        list += (i ? ", " : "") + std::string(i % 2 ? "-" : "") + std::to_string(timings[i]);
    return list + "]";
}

bool flipperFile(const fs::path& dir, int n, std::mt19937& random) {
    static const char* const kTypes[] = {"TVs",   "TVs", "TVs", "Projectors", "Streaming_Devices",
                                         "DVB-T", "ACs"};
    static const char* const kButtons[] = {"Power", "Mute", "Vol_up", "Vol_dn", "Ch_next", "Ch_prev", "Up",
                                           "Down",  "Left", "Right",  "Ok",     "Menu",    "Back",    "Home",
                                           "Input", "Info", "0",      "1",      "2",       "3"};
    const std::string maker = kMakers[n % std::size(kMakers)];
    const fs::path folder = dir / "Flipper-IRDB" / kTypes[n / 3 % std::size(kTypes)] / maker;
    std::error_code error;
    fs::create_directories(folder, error);
    // Every tenth file sends what the one before it does, under another name; the others differ in
    // address or commands, but a maker's files share a few Power codes.
    const int like = n % 10 == 9 ? n - 1 : n;
    const unsigned low = static_cast<unsigned>(like % 256), high = static_cast<unsigned>(like / 256);
    const unsigned address = low | ((~low & 0xFF) ^ high) << 8;
    const unsigned first = static_cast<unsigned>(like % 12 * 20);
    std::ofstream out(folder / (maker + "_Model-" + std::to_string(n) + ".ir"));
    out << "Filetype: IR signals file\nVersion: 1\n#\n# generated by bench_library\n";
    for (std::size_t b = 0; b < std::size(kButtons); ++b) {
        out << "#\nname: " << kButtons[b] << "\n";
        if (b % 5 != 4)
            out << "type: raw\nfrequency: 38000\nduty_cycle: 0.330000\ndata: "
                << recorded(b == 0 ? necPress(static_cast<unsigned>(like % 42) | 0xEF00, 8)
                                   : necPress(address, first + static_cast<unsigned>(b)),
                            random)
                << "\n";
        else
            out << "type: parsed\nprotocol: NECext\naddress: " << std::hex << std::uppercase << low / 16
                << low % 16 << " " << (address >> 12) << (address >> 8 & 15)
                << " 00 00\ncommand: " << (first + b) / 16 << (first + b) % 16 << std::dec << " 00 00 00\n";
    }
    return static_cast<bool>(out);
}

bool irdbFile(const fs::path& dir, int n) {
    static const char* const kTypes[] = {"TV", "Cable Box", "Satellite", "DVD Player"};
    static const char* const kFunctions[] = {
        "POWER", "MUTE", "VOLUME +", "VOLUME -", "CHANNEL +", "CHANNEL -", "MENU", "GUIDE", "INFO", "EXIT",
        "UP",    "DOWN", "LEFT",     "RIGHT",    "SELECT",    "0",         "1",    "2",     "3",    "INPUT"};
    const fs::path folder =
        dir / "irdb" / "codes" / kMakers[n % std::size(kMakers)] / kTypes[n / 7 % std::size(kTypes)];
    std::error_code error;
    fs::create_directories(folder, error);
    const int device = n / 256 % 256, subdevice = n % 256;
    std::ofstream out(folder / (std::to_string(device) + "," + std::to_string(subdevice) + ".csv"));
    out << "functionname,protocol,device,subdevice,function\n";
    for (std::size_t f = 0; f < std::size(kFunctions); ++f)
        out << kFunctions[f] << ",NEC1," << (f == 0 ? n % 9 : device) << "," << (f == 0 ? 0 : subdevice)
            << "," << (f == 0 ? 2 : f * 3) << "\n";
    // As in the collection: now and then a row without a function name, or of a protocol not rendered.
    if (n % 10 == 0)
        out << ",NEC1," << device << "," << subdevice << ",0\n";
    if (n % 50 == 0)
        out << "GUIDE,XMP," << device << ",2,3\n";
    return static_cast<bool>(out);
}

bool smartIrFile(const fs::path& dir, int n) {
    const fs::path folder = dir / "SmartIR" / "codes" / "media_player";
    std::error_code error;
    fs::create_directories(folder, error);
    const bool raw = n % 10 == 0;
    const auto command = [&](unsigned function) {
        const std::vector<int> press = necPress(static_cast<unsigned>(0x2000 + n % 500), function);
        return raw ? espHome(press) : "\"" + broadlink(press) + "\"";
    };
    std::ofstream out(folder / (std::to_string(1000 + n) + ".json"));
    out << "{\n  \"manufacturer\": \"" << kMakers[n % std::size(kMakers)]
        << "\",\n  \"supportedModels\": [\"SM-" << n << "\", \"SX-" << n
        << "\"],\n  \"supportedController\": \"" << (raw ? "ESPHome" : "Broadlink")
        << "\",\n  \"commandsEncoding\": \"" << (raw ? "Raw" : "Base64") << "\",\n  \"commands\": {\n";
    const char* const kCommands[] = {"off",      "on",  "previousChannel", "nextChannel", "volumeDown",
                                     "volumeUp", "mute"};
    for (std::size_t c = 0; c < std::size(kCommands); ++c)
        out << "    \"" << kCommands[c] << "\": " << command(c == 0 ? 8 : static_cast<unsigned>(c * 5))
            << ",\n";
    out << "    \"sources\": {\n";
    for (int s = 0; s < 10; ++s)
        out << "      \"Channel " << s << "\": " << command(static_cast<unsigned>(100 + s))
            << (s < 9 ? ",\n" : "\n");
    out << "    }\n  }\n}\n";
    return static_cast<bool>(out);
}

// The three collections' shares of the public ones: two thirds Flipper-IRDB, a quarter IRDB.
int generate(const fs::path& dir, int sets) {
    std::mt19937 random(418);
    const int flipper = sets * 2 / 3, irdb = sets * 27 / 100, smartIr = sets - flipper - irdb;
    bool written = true;
    for (int n = 0; n < flipper && written; ++n)
        written = flipperFile(dir, n, random);
    for (int n = 0; n < irdb && written; ++n)
        written = irdbFile(dir, n);
    for (int n = 0; n < smartIr && written; ++n)
        written = smartIrFile(dir, n);
    if (!written) {
        std::cerr << "bench_library: cannot write under " << dir.string() << "\n";
        return 1;
    }
    std::cout << "library             " << sets << " code sets written under " << dir.string() << ": "
              << flipper << " Flipper-IRDB files, " << irdb << " IRDB files, " << smartIr
              << " SmartIR files\n";
    return 0;
}

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;
    int status = -1;
};

// Runs `program` with `args` in an environment whose XDG folders are under `home`.
Run spawnTimed(const fs::path& program, const std::vector<std::string>& args, const fs::path& home) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("XDG_", 0) != 0 && std::string(*e).rfind("HOME=", 0) != 0)
            env.emplace_back(*e);
    for (const char* name : {"XDG_CONFIG_HOME=config", "XDG_CACHE_HOME=cache", "XDG_DATA_HOME=data"}) {
        const std::string pair(name);
        env.push_back(pair.substr(0, pair.find('=') + 1) + (home / pair.substr(pair.find('=') + 1)).string());
    }
    env.push_back("HOME=" + home.string());
    std::vector<char*> argv{const_cast<char*>(program.c_str())}, envp;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (std::string& pair : env)
        envp.push_back(pair.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child) {
            run.seconds = secondsSince(start);
            run.peakKilobytes = usage.ru_maxrss;
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The same through a fresh copy of this program (--run-timed). A child's peak memory counts the
// memory of the process it was spawned from until it starts the program: spawned from this one,
// which has just held the whole index, it would report this one's size.
Run timed(const fs::path& program, const std::vector<std::string>& args, const fs::path& home) {
    const std::string self = fs::canonical("/proc/self/exe").string();
    std::vector<std::string> all{self, "--run-timed", program.string(), home.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out[2];
    Run run;
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t child = 0;
    const bool started = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    if (started && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        std::sscanf(answer.c_str(), "%lf %ld %d", &run.seconds, &run.peakKilobytes, &run.status);
    return run;
}

int measure(const fs::path& dir, const fs::path& scratch, const fs::path& ctl) {
    // The index where qtm418ctl will look for it, over the one folder its list names.
    const fs::path home = scratch / "home";
    const fs::path cache = home / "cache" / "qtm418" / "codeindex.db";
    fs::create_directories(home / "config" / "qtm418");
    std::ofstream(home / "config" / "qtm418" / "library.json")
        << "{\"folders\": [\"" << dir.string() << "\"]}\n";

    codes::LibraryIndex index;
    auto start = Clock::now();
    const codes::IndexReport first = codes::refreshIndex(index, {dir}, cache);
    const double firstSeconds = secondsSince(start);

    start = Clock::now();
    const codes::IndexReport again = codes::refreshIndex(index, {dir}, cache);
    const double unchangedSeconds = secondsSince(start);

    // Each query with a library of its own, as a command has: nothing read before it. An owner looks
    // for a maker, a maker by another spelling, a maker and part of a model, or one model.
    constexpr int kRounds = 4;
    static const char* const kWords[] = {"samsung", "lg electronics", "sony tv", "philips 42", "model-1234"};
    std::size_t found = 0;
    start = Clock::now();
    for (int round = 0; round < kRounds; ++round)
        for (const char* words : kWords)
            found += codes::CodeLibrary(index).search(words, round % 2 ? "tv" : "").size();
    const double searchSeconds = secondsSince(start) / (kRounds * std::size(kWords));
    // A query that matches a fifth of the library: what it costs is loading what it returns.
    start = Clock::now();
    const std::size_t broad = codes::CodeLibrary(index).search("model 1").size();
    const double broadSeconds = secondsSince(start);

    constexpr int kAsks = 10;
    std::size_t candidates = 0;
    start = Clock::now();
    for (int i = 0; i < kAsks; ++i)
        candidates = codes::CodeLibrary(index).candidates("tv", "Samsung").size();
    const double candidatesSeconds = secondsSince(start) / kAsks;

    start = Clock::now();
    const codes::CodeLibrary library(index);
    const std::size_t tvMakers = library.makers("tv").size(), boxMakers = library.makers("cbl").size();
    const double makersSeconds = secondsSince(start);
    const std::size_t distinct = library.distinct();

    std::error_code error;
    const double indexMegabytes = static_cast<double>(fs::file_size(cache, error)) / 1e6;
    index = {};

    // The whole command: once to settle whatever else its library holds (the system's LIRC
    // remotes), then timed.
    const std::vector<std::string> search{"library", "search", "samsung"};
    std::vector<Run> runs;
    if (!fs::exists(ctl)) {
        std::cerr << "bench_library: no " << ctl.string() << " to time\n";
    } else {
        timed(ctl, search, home);
        for (int i = 0; i < 5; ++i)
            runs.push_back(timed(ctl, search, home));
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });

    std::printf("folder              %s\n", dir.string().c_str());
    std::printf("files               %zu read, %zu refused whole, %zu read in part\n", first.read,
                first.faults.size(), first.skipped.size());
    std::printf("code sets           %zu, %zu distinct; index %.1f MB\n", first.sets, distinct,
                indexMegabytes);
    std::printf("first indexing      %8.3f s   (target 5 s)\n", firstSeconds);
    std::printf("unchanged update    %8.3f s   (%zu files kept, %zu read)\n", unchangedSeconds, again.kept,
                again.read);
    std::printf("query               %8.3f ms  (target 10 ms; mean of %zu: samsung, lg electronics, sony tv, "
                "philips 42, model-1234; %zu sets found in all)\n",
                searchSeconds * 1e3, kRounds * std::size(kWords), found);
    std::printf("broad query         %8.3f ms  ('model 1': %zu sets returned)\n", broadSeconds * 1e3, broad);
    std::printf("maker's candidates  %8.3f ms  (target 20 ms; Samsung TVs: %zu to try)\n",
                candidatesSeconds * 1e3, candidates);
    std::printf("makers by side      %8.3f ms  (%zu TV makers, %zu cable box makers)\n", makersSeconds * 1e3,
                tvMakers, boxMakers);
    if (!runs.empty()) {
        const Run& median = runs[runs.size() / 2];
        long peak = 0;
        for (const Run& run : runs)
            peak = std::max(peak, run.peakKilobytes);
        std::printf(
            "search command      %8.3f s   (target 0.15 s; qtm418ctl library search samsung, median of "
            "%zu, exit %d)\n",
            median.seconds, runs.size(), median.status);
        std::printf("search peak memory  %8.1f MB  (target 32 MB; the most of those runs)\n",
                    static_cast<double>(peak) / 1024.0);
    }
    if (!first.note.empty())
        std::printf("note                %s\n", first.note.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == "--run-timed") {
        const Run run = spawnTimed(args[1], std::vector<std::string>(args.begin() + 3, args.end()), args[2]);
        std::printf("%.6f %ld %d\n", run.seconds, run.peakKilobytes, run.status);
        return 0;
    }
    if (!args.empty() && args[0] == "--generate" && (args.size() == 2 || args.size() == 3)) {
        const int sets = args.size() == 3 ? std::atoi(args[2].c_str()) : kSets;
        if (sets <= 0) {
            std::cerr << "bench_library: the count of sets must be a positive number\n";
            return 2;
        }
        return generate(args[1], sets);
    }
    if (args.size() > 1 || (args.size() == 1 && args[0].rfind("--", 0) == 0)) {
        std::cerr << "usage: bench_library [DIR] | bench_library --generate DIR [COUNT]\n";
        return 2;
    }
    const fs::path scratch = fs::temp_directory_path() / ("bench_library-" + std::to_string(getpid()));
    fs::path dir = scratch / "codes";
    if (args.size() == 1) {
        dir = fs::absolute(args[0]);
        if (!fs::is_directory(dir)) {
            std::cerr << "bench_library: " << args[0] << " is not a folder\n";
            return 2;
        }
    } else if (const int status = generate(dir, kSets); status != 0) {
        return status;
    }
    const fs::path ctl = fs::absolute(argv[0]).parent_path() / "qtm418ctl";
    const int status = measure(dir, scratch, ctl);
    std::error_code error;
    fs::remove_all(scratch, error);
    return status;
}
