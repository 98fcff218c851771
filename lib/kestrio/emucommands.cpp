#include "emucommands.h"

#include "devicestore.h"
#include "firmware.h"
#include "ir/capturewords.h"
#include "keysignal.h"
#include "layoutdump.h"
#include "profiles.h"

#include "model/layoutcheck.h"
#include "model/portablefiles.h"

#include <charconv>
#include <functional>

namespace emu {

namespace {

const char* kUsage =
    "usage: qtm418-emu COMMAND [ARGS]\n"
    "  reset [PROFILE]         a fresh remote (default: factory)\n"
    "  profiles                list the profiles\n"
    "  plug | unplug           attach or detach the USB cable\n"
    "  swap                    another remote of the same model (new identity)\n"
    "  fail OP [COUNT] [--after N]  the next COUNT calls of OP fail (after N good ones)\n"
    "  fail OP --after N --unplug   the cable comes out during the next call of OP after N good ones\n"
    "  fail clear              forget all scripted failures\n"
    "  latency MICROSECONDS    time of one exchange (0: instant)\n"
    "  read ADDR BLOCKS        the hex text a memory read returns\n"
    "  dump [--json]           the memory as the configurator reads it\n"
    "  check                   the layout's invariants; exit 1 listing each violation\n"
    "  trace on|off            log every exchange to exchanges.log in the device folder\n"
    "  status                  cable, identity, profile, latency, pending failures\n"
    "  send CAPTURE            the next capture receives these capture words (hex, no separators)\n"
    "  send [--carrier HZ] MICROSECONDS...  ... a signal of these mark and space durations\n"
    "  send JSONLINE           ... the signal of one line of the test captures\n"
    "  demo on|off             with nothing sent, a capture receives a demo remote's key after 1.5 s\n"
    "  transmit KEY [--json] [--hold MS]\n"
    "                          what the remote sends when the key is pressed: carrier, frames, protocol;\n"
    "                          with --hold, every duration it sends while held MS milliseconds\n"
    "The device lives in $QTM418_DEVICE_DIR, else ~/.local/state/qtm418/device.\n";

constexpr unsigned kLowestCarrierHz = 20000;
constexpr unsigned kLongestHoldMillis = 60000;
constexpr unsigned kHighestCarrierHz = 100000;

std::string upperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

bool parseUnsigned(const std::string& text, unsigned& out, int base = 10) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out, base);
    return ec == std::errc() && ptr == end && !text.empty();
}

std::string operationList() {
    std::string names;
    for (Operation op : kOperations)
        names += std::string(names.empty() ? "" : ", ") + operationName(op);
    return names;
}

int usageError(std::ostream& err, const std::string& message) {
    err << "qtm418-emu: " << message << '\n' << kUsage;
    return 2;
}

class Session {
public:
    Session(const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
        : store_(folder), out_(out), err_(err) {}

    // Applies a change to the device; reports a folder that cannot be used.
    int change(const std::function<unsigned(Device&)>& fn) {
        std::string error;
        if (!store_.transact(fn, &error)) {
            err_ << "qtm418-emu: " << error << '\n';
            return 1;
        }
        return 0;
    }

    int reset(const std::string& profile) {
        auto device = makeProfile(profile);
        if (!device) {
            err_ << "qtm418-emu: unknown profile '" << profile << "'; see 'qtm418-emu profiles'\n";
            return 2;
        }
        // The exchange time and the demo remote are the bench's, not the remote's: a reset keeps
        // them. A folder too damaged to read simply gets the defaults.
        store_.transact([&](Device& old) {
            device->settings.latencyMicros = old.settings.latencyMicros;
            device->settings.demo = old.settings.demo;
            return unsigned{NoChange};
        });
        std::string error;
        if (!store_.replace(*device, &error)) {
            err_ << "qtm418-emu: " << error << '\n';
            return 1;
        }
        out_ << "reset to " << profile << " in " << model::pathText(store_.folder()) << '\n';
        return 0;
    }

    int fail(const std::vector<std::string>& args) {
        if (args.size() == 2 && args[1] == "clear")
            return change([](Device& d) {
                d.settings.failures.clear();
                return unsigned{SettingsChanged};
            });
        if (args.size() < 2)
            return usageError(err_, "fail needs an operation: " + operationList());
        const auto op = operationFromName(args[1]);
        if (!op)
            return usageError(err_, "unknown operation '" + args[1] + "'; one of " + operationList());
        FailRule rule{0, 1};
        std::size_t i = 2;
        const bool counted = i < args.size() && args[i] != "--after" && args[i] != "--unplug";
        if (counted) {
            if (!parseUnsigned(args[i], rule.count) || rule.count == 0)
                return usageError(err_, "COUNT must be a positive number");
            ++i;
        }
        rule.unplug = args.back() == "--unplug";
        if (rule.unplug && counted)
            return usageError(err_, "--unplug takes no COUNT: the cable comes out once");
        const std::size_t end = args.size() - (rule.unplug ? 1 : 0);
        if (i < end) {
            if (args[i] != "--after" || i + 2 != end || !parseUnsigned(args[i + 1], rule.skip))
                return usageError(err_, "expected --after N");
        }
        return change([&](Device& d) {
            d.settings.failures[*op] = rule;
            return unsigned{SettingsChanged};
        });
    }

    int read(const std::vector<std::string>& args) {
        unsigned address = 0, blocks = 0;
        if (args.size() != 3 || !parseUnsigned(args[1], address, 16) || address > 0xFFFF ||
            !parseUnsigned(args[2], blocks) || blocks == 0)
            return usageError(err_, "read needs a hex address (0000-FFFF) and a block count");
        std::optional<std::string> text;
        const int rc = change([&](Device& d) {
            text = readBlocks(d, address, blocks);
            return unsigned{NoChange};
        });
        if (rc != 0)
            return rc;
        if (!text) {
            err_ << "qtm418-emu: " << blocks << " blocks from " << args[1] << " run past the end of memory\n";
            return 1;
        }
        out_ << *text << '\n';
        return 0;
    }

    // Runs `fn` on a copy of the device as it is now.
    int inspect(const std::function<int(const Device&)>& fn) {
        int rc = 0;
        const int opened = change([&](Device& d) {
            rc = fn(d);
            return unsigned{NoChange};
        });
        return opened != 0 ? opened : rc;
    }

    int dump(bool json) {
        return inspect([&](const Device& d) {
            const LayoutDump view = dumpDevice(d);
            out_ << (json ? dumpJson(view) : dumpText(view));
            return 0;
        });
    }

    int check() {
        return inspect([&](const Device& d) {
            const auto findings = model::inspectLayout(memoryReader(d));
            for (const auto& problem : findings.violations)
                out_ << model::describe(problem) << '\n';
            if (findings.violations.empty())
                out_ << "layout sound\n";
            for (const auto& warning : findings.warnings)
                out_ << "warning: " << model::describe(warning) << '\n';
            return findings.violations.empty() ? 0 : 1;
        });
    }

    int send(const std::vector<std::string>& args) {
        std::vector<std::string> rest;
        std::optional<int> carrier;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] != "--carrier") {
                rest.push_back(args[i]);
                continue;
            }
            unsigned hz = 0;
            if (carrier || i + 1 >= args.size() || !parseUnsigned(args[i + 1], hz) ||
                (hz != 0 && (hz < kLowestCarrierHz || hz > kHighestCarrierHz)))
                return usageError(err_, "--carrier takes 0 (none) or a frequency from 20000 to 100000 Hz");
            carrier = static_cast<int>(hz);
            ++i;
        }
        if (rest.empty())
            return usageError(err_, "send needs capture words, a timing list or a capture line");
        std::string record;
        if (rest.size() == 1 && rest[0].starts_with('{')) {
            const auto line = ir::parseCaptureLine(rest[0]);
            if (!line || carrier)
                return usageError(
                    err_, "not a capture line with positive timings_us (and it brings its own carrier)");
            record = ir::captureRecord(line->signal);
        } else if (!carrier && rest.size() == 1 && rest[0].size() >= 8 && ir::isCaptureText(rest[0])) {
            record = upperCase(rest[0]);
        } else {
            std::string list;
            for (const std::string& part : rest)
                list += part + ' ';
            const auto timings = ir::parseTimingList(list);
            if (!timings)
                return usageError(err_, "a timing list is positive whole microseconds up to 1000000");
            record = ir::captureRecord(ir::Signal{carrier.value_or(ir::kDefaultCarrierHz), *timings});
        }
        const int rc = change([&](Device& d) {
            d.settings.sentCaptures.push_back(record);
            return unsigned{SettingsChanged};
        });
        if (rc == 0)
            out_ << "sent " << record.size() / 4 << " capture words; the next capture receives them\n";
        return rc;
    }

    int transmit(const std::string& keyNumber, bool json, std::optional<long> holdMicros) {
        return inspect([&](const Device& d) {
            std::string why;
            const auto key = pressKey(d, keyNumber, why);
            if (!key) {
                err_ << "qtm418-emu: " << why << '\n';
                return 1;
            }
            out_ << (json ? keySignalJson(*key, holdMicros) : keySignalText(*key, holdMicros));
            return 0;
        });
    }

    int status() {
        return change([&](Device& d) {
            const DeviceSettings& s = d.settings;
            out_ << "folder:   " << model::pathText(store_.folder()) << '\n'
                 << "cable:    " << (s.attached ? "attached" : "detached") << '\n'
                 << "identity: " << identityText(d) << '\n'
                 << "profile:  " << s.profile << '\n'
                 << "model:    " << s.model << '\n'
                 << "version:  " << s.versionText << '\n'
                 << "latency:  " << s.latencyMicros << " us\n"
                 << "trace:    " << (s.trace ? "on (exchanges.log)" : "off") << '\n'
                 << "demo:     " << (s.demo ? "on" : "off") << '\n'
                 << "sent:     " << s.sentCaptures.size() << " signal(s) waiting for a capture\n"
                 << "failures:";
            if (s.failures.empty())
                out_ << " none";
            for (const auto& [op, rule] : s.failures) {
                out_ << ' ' << operationName(op)
                     << (rule.unplug ? " unplugs" : " x" + std::to_string(rule.count));
                if (rule.skip)
                    out_ << " after " << rule.skip;
            }
            out_ << '\n';
            return unsigned{NoChange};
        });
    }

private:
    DeviceStore store_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace

int runCommand(const std::vector<std::string>& args, const std::filesystem::path& folder, std::ostream& out,
               std::ostream& err) {
    if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    Session session(folder, out, err);
    const std::string& command = args[0];
    const auto expectArgs = [&](std::size_t count) { return args.size() == count; };

    if (command == "reset" && args.size() <= 2)
        return session.reset(args.size() == 2 ? args[1] : "factory");
    if (command == "profiles" && expectArgs(1)) {
        for (const auto& p : profiles())
            out << p.name << "\t" << p.description << '\n';
        return 0;
    }
    if ((command == "plug" || command == "unplug") && expectArgs(1))
        return session.change([attach = command == "plug"](Device& d) {
            d.settings.attached = attach;
            return unsigned{SettingsChanged};
        });
    if (command == "swap" && expectArgs(1))
        return session.change([&out](Device& d) {
            giveNewIdentity(d);
            out << "new identity " << identityText(d) << '\n';
            return unsigned{MemoryChanged};
        });
    if (command == "fail")
        return session.fail(args);
    if (command == "latency" && expectArgs(2)) {
        unsigned micros = 0;
        if (!parseUnsigned(args[1], micros) || micros > 1000000)
            return usageError(err, "latency is a number of microseconds up to 1000000");
        return session.change([micros](Device& d) {
            d.settings.latencyMicros = micros;
            return unsigned{SettingsChanged};
        });
    }
    if (command == "read")
        return session.read(args);
    if (command == "send")
        return session.send(args);
    if (command == "transmit" && args.size() >= 2) {
        bool json = false;
        std::optional<long> hold;
        for (std::size_t i = 2; i < args.size(); ++i) {
            unsigned millis = 0;
            if (args[i] == "--json")
                json = true;
            else if (args[i] == "--hold" && i + 1 < args.size() && parseUnsigned(args[i + 1], millis) &&
                     millis <= kLongestHoldMillis)
                hold = 1000L * millis, ++i;
            else
                return usageError(err, "transmit takes KEY [--json] [--hold MS] (MS up to " +
                                           std::to_string(kLongestHoldMillis) + ")");
        }
        return session.transmit(args[1], json, hold);
    }
    if (command == "demo" && expectArgs(2) && (args[1] == "on" || args[1] == "off"))
        return session.change([on = args[1] == "on"](Device& d) {
            d.settings.demo = on;
            return unsigned{SettingsChanged};
        });
    if (command == "status" && expectArgs(1))
        return session.status();
    if (command == "dump" && (expectArgs(1) || (expectArgs(2) && args[1] == "--json")))
        return session.dump(args.size() == 2);
    if (command == "check" && expectArgs(1))
        return session.check();
    if (command == "trace" && expectArgs(2) && (args[1] == "on" || args[1] == "off"))
        return session.change([on = args[1] == "on"](Device& d) {
            d.settings.trace = on;
            return unsigned{SettingsChanged};
        });
    return usageError(err, "unknown command or wrong arguments: " + command);
}

} // namespace emu
