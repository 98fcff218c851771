// The kinds of message the program shows and the answers a user can give; shared by the logic that
// decides on a message or waits for an answer and the seam that shows it.
#pragma once

namespace model {

// Boxed: caption "提示" and the buttons the caller asks for; plain: caption = application title, OK.
enum class MessageStyle { Boxed, Plain };

enum class Buttons { Ok, YesNo, RetryCancel, OkCancel };
enum class Answer { Ok, Yes, No, Retry, Cancel };

} // namespace model
