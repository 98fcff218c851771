// export: what learned keys send, in the formats of the code collections owners already use.
#include "commands.h"
#include "keyarguments.h"
#include "keylisting.h"
#include "remote.h"
#include "signalexport.h"

#include "ir/frames.h"
#include "model/keytable.h"

#include <fstream>
#include <ostream>

namespace ctl {

namespace {

// A press as short as the remote makes it: its frames once, each repeat it always sends.
std::optional<ExportedKey> exported(const KeyReport& key) {
    if (!key.code || !key.code->played)
        return std::nullopt;
    const ir::Transmission& sent = key.code->played->transmission;
    return ExportedKey{
        key.keyNumber, key.label, {sent.carrierHz, ir::heldPress(sent, 0)}, parsedKey(*key.code->played)};
}

} // namespace

int exportCommand(const Arguments& args, const Console& console) {
    const auto format = exportFormat(*args.value("--format"));
    if (!format)
        return console.fail(kNoRemote, "export: --format must be flipper, pronto, lirc or json");
    std::vector<std::string> wanted;
    for (const std::string& given : args.operands) {
        const auto key = namedKey(given, console);
        if (!key)
            return kNoRemote;
        wanted.push_back(key->keyNumber);
    }
    const auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    const std::vector<KeyReport> keys = listKeys(remote->read);
    std::vector<ExportedKey> out;
    if (wanted.empty()) {
        for (const KeyReport& key : keys)
            if (key.state == "learned")
                if (auto e = exported(key))
                    out.push_back(std::move(*e));
        if (out.empty())
            return console.fail(kRefused,
                                "no learned key sends a code the remote can play; nothing to export");
    }
    for (const std::string& number : wanted) {
        const auto key = std::find_if(keys.begin(), keys.end(),
                                      [&number](const KeyReport& k) { return k.keyNumber == number; });
        auto e = key != keys.end() ? exported(*key) : std::nullopt;
        if (!e)
            return console.fail(kRefused,
                                "key " + number + " sends no code the remote can play; nothing exported");
        out.push_back(std::move(*e));
    }
    const std::string text = exportText(out, *format);
    if (const auto file = args.value("-o")) {
        std::ofstream stream(*file, std::ios::binary | std::ios::trunc);
        stream << text;
        stream.close();
        if (!stream)
            return console.fail(kRefused, *file + ": cannot be written");
        console.err << "exported " << out.size() << (out.size() == 1 ? " key" : " keys") << " to " << *file
                    << '\n';
        return kDone;
    }
    console.out << text;
    return kDone;
}

} // namespace ctl
