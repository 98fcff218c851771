#include "profiles.h"

#include "firmware.h"

#include <functional>
#include <random>

namespace emu {

namespace {

const char* kFactoryVersionText = "1020 QTM-418 firmware 1.3";
constexpr std::uint8_t kMakerPrefix[] = {0x51, 0x54, 0x4D, 0x34, 0x31, 0x38}; // "QTM418"

// The keypad's key numbers in slot order: 00-07, 10-17, ... 50-57, then 60.
std::vector<std::uint8_t> keypadKeyNumbers() {
    std::vector<std::uint8_t> keys;
    for (unsigned row = 0; row < 6; ++row)
        for (unsigned col = 0; col < 8; ++col)
            keys.push_back(static_cast<std::uint8_t>(row * 16 + col));
    keys.push_back(0x60);
    return keys;
}

std::vector<Identity> factoryPresets() {
    std::vector<Identity> presets;
    for (std::uint8_t i = 0; i < 24; ++i)
        presets.push_back({0x5A, static_cast<std::uint8_t>(0x10 + i), 0x01});
    return presets;
}

// The 16 carrier and timing parameter bytes a downloaded code comes with.
std::array<std::uint8_t, 16> downloadedParameters(std::uint8_t variant) {
    return {0x26, 0x01, 0x23, 0x28, 0x11, 0x94, 0x02, 0x30, 0x06, 0x90, 0x02, 0x30, 0x00, 0x20, variant, 0x00};
}

void writeIdentificationBlock(Device& device, std::uint8_t major, std::uint8_t minor) {
    Memory& m = device.memory;
    for (unsigned i = 0; i < 48; ++i)
        m[kIdentificationAddress + i] = 0;
    giveNewIdentity(device);
    m[kIdentificationAddress + kVersionMajorOffset] = major;
    m[kIdentificationAddress + kVersionMinorOffset] = minor;
}

Device identifiedDevice(const std::string& profile, std::uint8_t major = 1, std::uint8_t minor = 3) {
    Device device;
    device.settings.profile = profile;
    device.settings.versionText = kFactoryVersionText;
    writeIdentificationBlock(device, major, minor);
    writeLayout(device.memory, factoryLayout());
    return device;
}

struct ProfileRecipe {
    ProfileInfo info;
    std::function<Device()> make;
};

const std::vector<ProfileRecipe>& recipes() {
    static const std::vector<ProfileRecipe> list = [] {
        std::vector<ProfileRecipe> r;
        const auto add = [&r](std::string name, std::string description, std::function<Device()> make) {
            r.push_back({{std::move(name), std::move(description)}, std::move(make)});
        };
        add("factory", "a new QTM-418: model 100R, version 1.3, 49 keys, a few with downloaded codes",
            [] { return identifiedDevice("factory"); });
        add("old-firmware", "old firmware: model code 8888", [] {
            Device d = identifiedDevice("old-firmware");
            d.settings.model = "8888";
            return d;
        });
        add("model-lowercase", "model code 100r in small letters", [] {
            Device d = identifiedDevice("model-lowercase");
            d.settings.model = "100r";
            return d;
        });
        add("version-02-00", "version bytes 02 00", [] { return identifiedDevice("version-02-00", 2, 0); });
        add("version-00-03", "version bytes 00 03", [] { return identifiedDevice("version-00-03", 0, 3); });
        add("version-01-04", "version bytes 01 04", [] { return identifiedDevice("version-01-04", 1, 4); });
        add("version-01-02", "version bytes 01 02", [] { return identifiedDevice("version-01-02", 1, 2); });
        add("version-text", "a version text that does not start with 1020", [] {
            Device d = identifiedDevice("version-text");
            d.settings.versionText = "1019 QTM-418 firmware 1.2";
            return d;
        });
        add("bad-version-digits", "the firmware answers the major version byte with non-hex characters", [] {
            Device d = identifiedDevice("bad-version-digits");
            d.settings.textOverlay[kIdentificationAddress + kVersionMajorOffset] = "O1";
            return d;
        });
        return r;
    }();
    return list;
}

} // namespace

LayoutPlan factoryLayout() {
    LayoutPlan plan;
    plan.headerAddress = 0x1000;
    plan.pointerBase = 0x8000;
    plan.blockUnit = 0x08;
    plan.keyNumbers = keypadKeyNumbers();
    plan.slotCount = static_cast<unsigned>(plan.keyNumbers.size());
    plan.slots.assign(plan.slotCount, SlotPlan{});
    plan.codeBlockCount = 400;
    plan.index.assign(32, IndexEntryPlan{});
    plan.presets = factoryPresets();
    // Two areas counted from the header and two stored with the pointer base added, so a new
    // remote already takes both ways of reading a header pointer.
    plan.slotTable = {0x1100, PointerForm::FromHeader, std::nullopt};
    plan.presetTable = {0x1600, PointerForm::Absolute, std::nullopt};
    plan.blockMap = {0x1A00, PointerForm::FromHeader, std::nullopt};
    plan.codeArea = {0x2000, PointerForm::Absolute, std::nullopt};

    // Keys whose codes come downloaded with the remote: power, mute and volume.
    const std::pair<std::uint8_t, std::size_t> downloaded[] = {{0x00, 0}, {0x01, 1}, {0x02, 2}, {0x06, 3}, {0x12, 4}};
    for (const auto& [key, preset] : downloaded) {
        for (std::size_t n = 0; n < plan.keyNumbers.size(); ++n) {
            if (plan.keyNumbers[n] != key)
                continue;
            SlotPlan& slot = plan.slots[n];
            slot.flags = 0x80;
            slot.byte2 = 0x00;
            slot.reference = plan.presets[preset];
            slot.parameters = downloadedParameters(static_cast<std::uint8_t>(preset));
        }
    }
    return plan;
}

void giveNewIdentity(Device& device) {
    static std::mt19937 generator{std::random_device{}()};
    Memory& m = device.memory;
    const std::string before = identityText(device);
    do {
        for (unsigned i = 0; i < sizeof kMakerPrefix; ++i)
            m[kIdentificationAddress + i] = kMakerPrefix[i];
        for (unsigned i = sizeof kMakerPrefix; i < kIdentityBytes; ++i)
            m[kIdentificationAddress + i] = static_cast<std::uint8_t>(generator() & 0xFF);
    } while (identityText(device) == before);
}

const std::vector<ProfileInfo>& profiles() {
    static const std::vector<ProfileInfo> list = [] {
        std::vector<ProfileInfo> infos;
        for (const auto& recipe : recipes())
            infos.push_back(recipe.info);
        return infos;
    }();
    return list;
}

std::optional<Device> makeProfile(const std::string& name) {
    for (const auto& recipe : recipes())
        if (recipe.info.name == name)
            return recipe.make();
    return std::nullopt;
}

} // namespace emu
