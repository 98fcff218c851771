#include "run.h"

#include "commands.h"
#include "makertexts.h"

#include <ostream>

namespace ctl {

namespace {

const char* kUsage =
    "usage: qtm418ctl COMMAND [ARGS]\n"
    "  info [--json]                     identity, model, firmware and how full the remote is\n"
    "  keys [--json]                     every key: its state, its code and what it sends\n"
    "  check [--json]                    the layout's invariants; exit 1 when one fails\n"
    "  delete KEY [--yes]                empty one learned key\n"
    "  clear [--yes]                     empty every learned key\n"
    "  learn KEY --from FILE [--name N]  learn a key from a Flipper .ir, Pronto or JSON file\n"
    "  learn-all FILE|--set SET --side tv|cbl [--dry-run]\n"
    "                                    a whole side from one code file or library set, buttons\n"
    "                                    matched to keys\n"
    "  export [KEY...] --format F [-o FILE]\n"
    "                                    what learned keys send; F: flipper, pronto, lirc or json\n"
    "  backup FILE [--progress]          the whole memory into FILE\n"
    "  restore FILE [--force] [--progress]  FILE's memory back onto the remote, verified\n"
    "  repair [--dry-run]                fix what check finds where no guess is needed\n"
    "  library list|add DIR|remove DIR   the folders of code files the library is made of\n"
    "  library search WORDS [--side tv|cbl] [--json]\n"
    "                                    the library's code sets by maker and model\n"
    "  library show SET                  one code set: its file, maker, model and buttons\n"
    "  library download [NAME|URL] [--yes] [--progress]\n"
    "                                    a public collection of codes (Flipper-IRDB, IRDB, SmartIR)\n"
    "                                    or an archive fetched into the library; alone, the list\n"
    "  find --side tv|cbl --maker NAME [--yes-to-first]\n"
    "                                    try the maker's code sets on the device, one by one, on\n"
    "                                    the side's Power key; the one it responds to gives the side\n"
    "KEY is a key number (04) or a name (TV/Up, CBL/5); see 'qtm418ctl keys'.\n"
    "Exit status: 0 done, 1 refused or check failed, 2 bad usage or no remote.\n";

struct Command {
    const char* name;
    ArgumentRules rules;
    int (*run)(const Arguments&, const Console&);
};

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"info", {0, 0, {"--json"}, {}, {}}, infoCommand},
        {"keys", {0, 0, {"--json"}, {}, {}}, keysCommand},
        {"check", {0, 0, {"--json"}, {}, {}}, checkCommand},
        {"delete", {1, 1, {"--yes"}, {}, {}}, deleteCommand},
        {"clear", {0, 0, {"--yes"}, {}, {}}, clearCommand},
        {"learn", {1, 1, {}, {"--from", "--name"}, {"--from"}}, learnCommand},
        {"learn-all", {0, 1, {"--dry-run"}, {"--side", "--set"}, {"--side"}}, learnAllCommand},
        {"export", {0, 200, {}, {"--format", "-o"}, {"--format"}}, exportCommand},
        {"backup", {1, 1, {"--progress"}, {}, {}}, backupCommand},
        {"restore", {1, 1, {"--force", "--progress"}, {}, {}}, restoreCommand},
        {"repair", {0, 0, {"--dry-run"}, {}, {}}, repairCommand},
        {"library", {1, 100, {"--json", "--yes", "--progress"}, {"--side"}, {}}, libraryCommand},
        {"find", {0, 0, {"--yes-to-first"}, {"--side", "--maker"}, {"--side", "--maker"}}, findCommand},
    };
    return all;
}

} // namespace

int run(const std::vector<std::string>& words, const Console& console) {
    if (words.empty()) {
        console.err << kUsage;
        return kNoRemote;
    }
    if (words[0] == "help" || words[0] == "--help" || words[0] == "-h") {
        console.out << kUsage;
        return kDone;
    }
    for (const Command& command : commands()) {
        if (words[0] != command.name)
            continue;
        auto parsed = parseArguments({words.begin() + 1, words.end()}, command.rules);
        if (const auto* problem = std::get_if<std::string>(&parsed))
            return console.fail(kNoRemote, words[0] + ": " + *problem + "; see 'qtm418ctl help'");
        const int status = command.run(std::get<Arguments>(parsed), console);
        // A call the maker's library spoiled is said with the command's own failure.
        if (status != kDone)
            if (const auto fault = bridge::makerFault())
                console.fail(status, makerProblemText(*fault));
        return status;
    }
    return console.fail(kNoRemote, "unknown command '" + words[0] + "'; see 'qtm418ctl help'");
}

} // namespace ctl
