// Texts shown to the user about the remote's link, shared by start-up's several checks.
#pragma once

namespace model {

// No remote answered as one: at the wait for the device, a failed identification read, or a
// memory layout that cannot be read.
inline constexpr const char* kNoRemoteMessage = "未检测到遥控器，请检查USB连接线";

} // namespace model
