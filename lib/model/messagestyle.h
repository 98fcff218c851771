// The two kinds of message the program shows; shared by the logic that decides on a message and
// the seam that shows it.
#pragma once

namespace platform {

// Boxed: caption "提示" and the buttons the caller asks for; plain: caption = application title, OK.
enum class MessageStyle { Boxed, Plain };

} // namespace platform
