// Writes seed inputs for every harness into FOLDER/<harness>/, from the project's own signals,
// remotes and formats: each preset protocol's key as the receiver records it, the demo remote's
// keys, long and odd captures, the worked examples of the encoding, every profile of the virtual
// remote, and a backup of one. `-merge=1` of each harness then keeps those that add coverage.
#include "conlcode/conlcode.h"
#include "ir/capturewords.h"
#include "ir/protocols.h"
#include "kestrio/demoremote.h"
#include "kestrio/firmware.h"
#include "kestrio/profiles.h"
#include "model/backupfile.h"
#include "model/codeencoding.h"
#include "model/wire.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class SeedFolder {
public:
    SeedFolder(const fs::path& root, const std::string& harness) : folder_(root / harness) {
        fs::create_directories(folder_);
    }
    void add(const std::string& bytes) {
        std::ofstream(folder_ / ("seed-" + std::to_string(count_++)), std::ios::binary) << bytes;
    }

private:
    fs::path folder_;
    int count_ = 0;
};

std::vector<ir::Signal> signals() {
    std::vector<ir::Signal> list;
    for (const ir::Protocol protocol : ir::kProtocols) {
        const ir::Transmission sent = ir::protocolTransmission(ir::standardCode(protocol, 0x5A3C96E1A5ull));
        list.push_back({sent.carrierHz, ir::heldPress(sent, 0)});
        list.push_back({sent.carrierHz, ir::heldPress(sent, 300000)});
    }
    for (unsigned key = 0; key < emu::kDemoKeyCount; ++key)
        list.push_back(emu::demoRemoteKey(key));
    // An air conditioner's long frame runs the silence past the first 3000 characters.
    ir::Signal long_{38000, {4400, 4300}};
    for (int bit = 0; bit < 200; ++bit)
        long_.timings.insert(long_.timings.end(), {540, bit % 3 ? 1620 : 540});
    long_.timings.push_back(540);
    list.push_back(long_);
    list.push_back({0, {12000, 30000, 560, 300, 80}}); // long words, no carrier measured, a short mark
    list.push_back({56000, {2400, 600, 1200, 600, 600}});
    return list;
}

// Records as the encoding's own tests give them, beside those of the signals.
std::vector<std::string> workedExamples() {
    const std::string gap(model::kGapRun);
    return {"E97834BC869006908690" + gap + "4F4F5000",
            "E97834BC8690069086907FFF7FFF1234E97834BC8690" + gap + "4F4F5000",
            "34BCE978" + gap + "4F4F5000",
            "805006908690" + gap + "4F4F5000",
            "7FFF900010008690" + gap + "00000000",
            "86907FFF8690" + gap.substr(4) + "4F4F5000",
            "E97834BC8690"};
}

std::vector<std::uint8_t> imagePatches(const emu::Memory& memory) {
    std::vector<std::uint8_t> patches;
    for (std::size_t at = 0; at < memory.size();) {
        if (memory[at] == 0) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < memory.size() && end - at < 255 &&
               (memory[end] != 0 || (end + 1 < memory.size() && memory[end + 1] != 0)))
            ++end;
        patches.insert(patches.end(), {static_cast<std::uint8_t>(at >> 8), static_cast<std::uint8_t>(at),
                                       static_cast<std::uint8_t>(end - at)});
        patches.insert(patches.end(), memory.begin() + static_cast<std::ptrdiff_t>(at),
                       memory.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    return patches;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz-seeds FOLDER\n";
        return 2;
    }
    const fs::path root = argv[1];
    SeedFolder captures(root, "capture_encoding"), bodies(root, "convert_code"),
        answers(root, "converter_answer");
    std::vector<std::string> records = workedExamples();
    for (const ir::Signal& signal : signals())
        records.push_back(ir::captureRecord(signal));
    for (const std::string& record : records) {
        captures.add(record);
        const std::string encoded = model::encodeCapture(model::trimCapture(record), "/dev/null");
        if (encoded.size() <= 5)
            continue;
        const std::string body = encoded.substr(5);
        bodies.add(body);
        const std::string answer = ConvertCode(body.c_str(), 2);
        if (!answer.empty())
            answers.add(answer);
    }

    SeedFolder layouts(root, "memory_layout"), identities(root, "identification");
    for (const emu::ProfileInfo& profile : emu::profiles()) {
        const emu::Device device = emu::makeProfile(profile.name).value();
        const std::vector<std::uint8_t> patches = imagePatches(device.memory);
        layouts.add(std::string(patches.begin(), patches.end()));
        identities.add(emu::basicInformation(device));
    }
    identities.add("1020 QTM-418 firmware 1.3");

    SeedFolder backups(root, "backup_file");
    const emu::Device learned = emu::makeProfile("learned").value();
    const std::string info = emu::basicInformation(learned);
    const model::MemoryBackup backup{info.substr(0, 2 * wire::kIdentityBytes), "100R", "1.3",
                                     "2024-05-01T09:30:00Z",
                                     emu::readBlocks(learned, 0, emu::kMemorySize / 8).value()};
    const std::string file = model::formatBackup(backup);
    backups.add(file);
    backups.add(file.substr(0, file.find("\n0000 ") + 1));
    backups.add("QTM418-BACKUP 2\n");
    return 0;
}
