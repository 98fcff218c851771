// export: what learned keys send, in the formats of the code collections owners already use.
#include "commands.h"
#include "keyarguments.h"
#include "remote.h"

#include "codes/signalexport.h"
#include "device/keylisting.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <fstream>
#include <ostream>

namespace ctl {

int exportCommand(const Arguments& args, const Console& console) {
    const auto format = codes::exportFormat(*args.value("--format"));
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
    const std::vector<device::KeyReport> keys = device::listKeys(remote->read);
    std::vector<codes::ExportedKey> out;
    if (wanted.empty()) {
        out = device::learnedKeysToExport(keys);
        if (out.empty())
            return console.fail(kRefused,
                                "no learned key sends a code the remote can play; nothing to export");
    }
    for (const std::string& number : wanted) {
        const auto key = std::find_if(keys.begin(), keys.end(), [&number](const device::KeyReport& k) {
            return k.keyNumber == number;
        });
        auto e = key != keys.end() ? device::exportedKey(*key) : std::nullopt;
        if (!e)
            return console.fail(kRefused,
                                "key " + number + " sends no code the remote can play; nothing exported");
        out.push_back(std::move(*e));
    }
    const std::string text = codes::exportText(out, *format);
    if (const auto file = args.value("-o")) {
        std::ofstream stream(model::textPath(*file), std::ios::binary | std::ios::trunc);
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
