// The cursor the program carries under the name "CUR", read from the program itself: on Windows a
// cursor resource of the program's module, elsewhere a picture in its Qt resources.
#pragma once

#include <QCursor>

#include <optional>

namespace platform {

// The program's cursor "CUR"; none when the program carries no cursor of that name.
std::optional<QCursor> programCursor();

} // namespace platform
