// Named remotes that `qtm418-emu reset PROFILE` creates: the factory state and the remotes that
// exercise the configurator's checks.
#pragma once

#include "device.h"
#include "layoutbuilder.h"

#include <optional>
#include <string>
#include <vector>

namespace emu {

struct ProfileInfo {
    std::string name;
    std::string description;
};

const std::vector<ProfileInfo>& profiles();

// A fresh device of the named profile with a new serial number; nullopt for an unknown name.
std::optional<Device> makeProfile(const std::string& name);

// The layout of a new remote: the 49 keys of the keypad, a few with downloaded codes.
LayoutPlan factoryLayout();

// A new identity of the same model: same maker prefix, another serial number.
void giveNewIdentity(Device& device);

} // namespace emu
