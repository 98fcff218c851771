#include "profiles.h"

#include "firmware.h"
#include "ir/protocols.h"
#include "model/wire.h"

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

// The protocols the remote generates by itself, each named by its number followed by 0000.
std::vector<Identity> factoryPresets() {
    std::vector<Identity> presets;
    for (ir::Protocol protocol : ir::kProtocols)
        presets.push_back({static_cast<std::uint8_t>(protocol), 0x00, 0x00});
    return presets;
}

// A television's key in NEC at address 0x20, as the remote comes with it.
std::array<std::uint8_t, 16> downloadedNecKey(std::uint8_t command) {
    ir::ProtocolCode code;
    code.protocol = ir::Protocol::NEC;
    code.bitCount = 32;
    const std::uint64_t address = 0x20;
    code.bits =
        address | (address ^ 0xFF) << 8 | std::uint64_t{command} << 16 | std::uint64_t(command ^ 0xFF) << 24;
    code.repeat = ir::RepeatForm::RepeatCode;
    return ir::packParameters(code);
}

// The 16 carrier and timing parameter bytes a downloaded code comes with.
std::array<std::uint8_t, 16> downloadedParameters(std::uint8_t variant) {
    return {0x26, 0x01, 0x23, 0x28, 0x11, 0x94, 0x02,    0x30,
            0x06, 0x90, 0x02, 0x30, 0x00, 0x20, variant, 0x00};
}

void writeIdentificationBlock(Device& device, std::uint8_t major, std::uint8_t minor) {
    Memory& m = device.memory;
    for (unsigned i = 0; i < 48; ++i)
        m[wire::kIdentificationAddress + i] = 0;
    giveNewIdentity(device);
    m[wire::kIdentificationAddress + wire::kVersionMajorOffset] = major;
    m[wire::kIdentificationAddress + wire::kVersionMinorOffset] = minor;
}

Device identifiedDevice(const std::string& profile, std::uint8_t major = 1, std::uint8_t minor = 3) {
    Device device;
    device.settings.profile = profile;
    device.settings.versionText = kFactoryVersionText;
    writeIdentificationBlock(device, major, minor);
    writeLayout(device.memory, factoryLayout());
    return device;
}

Device layoutDevice(const std::string& profile, const LayoutPlan& plan) {
    Device device;
    device.settings.profile = profile;
    device.settings.versionText = kFactoryVersionText;
    writeIdentificationBlock(device, 1, 3);
    writeLayout(device.memory, plan);
    return device;
}

std::size_t slotOfKey(const LayoutPlan& plan, std::uint8_t key) {
    for (std::size_t n = 0; n < plan.keyNumbers.size(); ++n)
        if (plan.keyNumbers[n] == key)
            return n;
    return plan.keyNumbers.size();
}

// A learned key whose code lies in the code area under index entry `entry`.
SlotPlan storedCodeSlot(std::uint8_t entry, std::uint8_t variant) {
    SlotPlan slot;
    slot.flags = 0xC0;
    slot.byte2 = 0x80;
    slot.reference = {entry, 0xFF, 0xFF};
    slot.parameters = downloadedParameters(variant);
    return slot;
}

// A learned key holding one of the remote's preset codes.
SlotPlan presetSlot(const Identity& identity, std::uint8_t variant) {
    SlotPlan slot;
    slot.flags = 0xC0;
    slot.byte2 = 0x00;
    slot.reference = identity;
    slot.parameters = downloadedParameters(variant);
    return slot;
}

// Stores `blocks` blocks of code bytes under index entry `entry` from `firstBlock` on.
void storeCode(LayoutPlan& plan, std::size_t entry, const Identity& identity, unsigned firstBlock,
               unsigned blocks) {
    plan.index.at(entry) = IndexEntryPlan{identity, firstBlock, blocks, true};
    std::vector<std::uint8_t> bytes(8 * blocks);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(identity[i % 3] ^ (i * 17));
    plan.codeData.emplace_back(firstBlock, std::move(bytes));
}

LayoutPlan learnedLayout() {
    LayoutPlan plan = factoryLayout();
    // TV/UP learned alone; TV/menu and TV/confirm learned from the same remote button and so
    // sharing one stored code; TV/right holding a preset.
    storeCode(plan, 0, {0x4D, 0x5E, 0x6F}, 0, 3);
    storeCode(plan, 1, {0x3A, 0x2B, 0x1C}, 3, 2);
    plan.slots[slotOfKey(plan, 0x04)] = storedCodeSlot(0, 1);
    plan.slots[slotOfKey(plan, 0x05)] = storedCodeSlot(1, 2);
    plan.slots[slotOfKey(plan, 0x10)] = storedCodeSlot(1, 2);
    plan.slots[slotOfKey(plan, 0x11)] = presetSlot(plan.presets[5], 3);
    return plan;
}

LayoutPlan slotStatesLayout() {
    LayoutPlan plan = factoryLayout();
    storeCode(plan, 0, {0x4D, 0x5E, 0x6F}, 0, 2);
    storeCode(plan, 3, {0x27, 0x01, 0x02}, 2, 1);
    const auto set = [&plan](std::uint8_t key, std::uint8_t flags, std::uint8_t byte2, Identity reference) {
        SlotPlan& slot = plan.slots[slotOfKey(plan, key)];
        slot = SlotPlan{};
        slot.flags = flags;
        slot.byte2 = byte2;
        slot.reference = reference;
    };
    set(0x00, 0x00, 0x00, {0, 0, 0});
    set(0x01, 0x80, 0x00, plan.presets[1]);    // downloaded preset
    set(0x02, 0x80, 0x80, {0x00, 0xFF, 0xFF}); // downloaded into the code area
    set(0x03, 0xC0, 0x00, plan.presets[2]);    // learned preset
    set(0x27, 0xC0, 0x80, {0x03, 0xFF, 0xFF}); // learned into the code area
    set(0x05, 0xA0, 0x80, {0x00, 0xFF, 0xFF}); // bit 5 set: no code whatever follows
    set(0x06, 0xE0, 0x80, {0x00, 0xFF, 0xFF});
    return plan;
}

LayoutPlan bigIndexLayout() {
    LayoutPlan plan = factoryLayout();
    plan.codeBlockCount = 2000;
    plan.index.assign(250, IndexEntryPlan{});
    plan.codeArea = {0x2200, PointerForm::Absolute, std::nullopt};
    storeCode(plan, 0, {0x4D, 0x5E, 0x6F}, 0, 2);
    storeCode(plan, 200, {0x3A, 0x2B, 0x1C}, 1990, 4);
    storeCode(plan, 249, {0x66, 0x77, 0x88}, 1996, 4);
    plan.slots[slotOfKey(plan, 0x04)] = storedCodeSlot(249, 1);
    return plan;
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
            d.settings.textOverlay[wire::kIdentificationAddress + wire::kVersionMajorOffset] = "O1";
            return d;
        });
        add("learned",
            "keys learned with their own code, two keys sharing one stored code, a key holding a preset",
            [] { return layoutDevice("learned", learnedLayout()); });
        add("pointer-edges", "a header pointer equal to the pointer base and one just below it", [] {
            LayoutPlan plan = factoryLayout();
            plan.presetTable = {0x0000, PointerForm::Absolute, std::nullopt}; // base itself: address 0
            plan.codeArea = {plan.headerAddress + plan.pointerBase - 1, PointerForm::FromHeader,
                             std::nullopt};
            return layoutDevice("pointer-edges", plan);
        });
        add("blocks-13", "a code area of 13 blocks, the first one in use", [] {
            LayoutPlan plan = factoryLayout();
            plan.codeBlockCount = 13;
            plan.index.assign(4, IndexEntryPlan{});
            storeCode(plan, 0, {0x4D, 0x5E, 0x6F}, 0, 1);
            plan.slots[slotOfKey(plan, 0x04)] = storedCodeSlot(0, 1);
            return layoutDevice("blocks-13", plan);
        });
        add("no-slots", "a layout without key slots", [] {
            LayoutPlan plan = factoryLayout();
            plan.slotCount = 0;
            plan.slots.clear();
            return layoutDevice("no-slots", plan);
        });
        add("no-presets", "an empty preset table", [] {
            LayoutPlan plan = factoryLayout();
            for (SlotPlan& slot : plan.slots)
                slot = SlotPlan{};
            plan.presets.clear();
            return layoutDevice("no-presets", plan);
        });
        add("slot-states", "slots in every state: flags 00, 80, C0 (stored and preset), A0, E0",
            [] { return layoutDevice("slot-states", slotStatesLayout()); });
        add("short-key-list", "49 slots but only 40 key numbers", [] {
            LayoutPlan plan = factoryLayout();
            plan.keyNumbers.resize(40);
            return layoutDevice("short-key-list", plan);
        });
        add("long-key-list", "49 key numbers but only 40 slots", [] {
            LayoutPlan plan = factoryLayout();
            plan.slotCount = 40;
            plan.slots.resize(40);
            return layoutDevice("long-key-list", plan);
        });
        add("big-index", "250 index entries and 2000 blocks: the map and index take 219 blocks",
            [] { return layoutDevice("big-index", bigIndexLayout()); });
        add("corrupt-pointer", "a header pointer that leads outside memory", [] {
            LayoutPlan plan = factoryLayout();
            plan.headerAddress = 0xF000;
            plan.slotTable.rawPointer = 0x7000; // below the base: 0xF000 + 0x7000 is past the end
            plan.blockMap.form = PointerForm::Absolute;
            return layoutDevice("corrupt-pointer", plan);
        });
        add("corrupt-header", "a locator whose header runs past the end of memory", [] {
            LayoutPlan plan = factoryLayout();
            Device d = layoutDevice("corrupt-header", plan);
            d.memory[wire::kLocatorAddress] = 0xF0;
            d.memory[wire::kLocatorAddress + 1] = 0xFF;
            return d;
        });
        add("corrupt-counts", "a key slot count that reaches past the end of memory", [] {
            LayoutPlan plan = factoryLayout();
            Device d = layoutDevice("corrupt-counts", plan);
            d.memory[plan.headerAddress] = 0xFF;
            d.memory[plan.headerAddress + 1] = 0xFF;
            return d;
        });
        add("corrupt-code-area", "a code area of 8192 blocks that runs past the end of memory", [] {
            LayoutPlan plan = factoryLayout();
            Device d = layoutDevice("corrupt-code-area", plan);
            d.memory[plan.headerAddress + 8] = 0x00;
            d.memory[plan.headerAddress + 9] = 0x20;
            return d;
        });
        add("corrupt-hex", "the firmware answers the index count with non-hex characters", [] {
            LayoutPlan plan = factoryLayout();
            Device d = layoutDevice("corrupt-hex", plan);
            d.settings.textOverlay[plan.headerAddress + 7] = "G0";
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

    // Keys whose codes come downloaded with the remote: power, mute and volume, in NEC.
    const std::pair<std::uint8_t, std::uint8_t> downloaded[] = {
        {0x00, 0x08}, {0x01, 0x09}, {0x02, 0x02}, {0x06, 0x03}, {0x12, 0x0B}};
    for (const auto& [key, command] : downloaded) {
        for (std::size_t n = 0; n < plan.keyNumbers.size(); ++n) {
            if (plan.keyNumbers[n] != key)
                continue;
            SlotPlan& slot = plan.slots[n];
            slot.flags = 0x80;
            slot.byte2 = 0x00;
            slot.reference = plan.presets[0];
            slot.parameters = downloadedNecKey(command);
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
            m[wire::kIdentificationAddress + i] = kMakerPrefix[i];
        for (unsigned i = sizeof kMakerPrefix; i < wire::kIdentityBytes; ++i)
            m[wire::kIdentificationAddress + i] = static_cast<std::uint8_t>(generator() & 0xFF);
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
