// `qtm418-emu dump`: the remote's memory as the configurator reads it.
#pragma once

#include "device.h"

#include "model/memorylayout.h"

#include <string>
#include <vector>

namespace emu {

struct IndexEntryView {
    std::string text;     // the entry's 12 hex characters
    std::string identity; // characters 1-6
    unsigned firstBlock = 0;
    unsigned blockCount = 0;
    bool inUse = false;
};

struct LayoutDump {
    std::string identity;
    std::string versionMajor, versionMinor, model; // as the firmware answers them
    std::string versionText;
    bool attached = true;
    model::LayoutRead layout; // read with the configurator's own reader
    std::vector<IndexEntryView> index;
};

// The device's memory as the device library's reads answer it, for the configurator's readers.
model::BlockReader memoryReader(const Device& device);

// Reads the device the way the configurator's start-up does, with the same code.
LayoutDump dumpDevice(const Device& device);

std::string dumpText(const LayoutDump& dump);
std::string dumpJson(const LayoutDump& dump);

} // namespace emu
