// What the toolkit is told before the application object exists, for the system it runs on.
#pragma once

namespace platform {

// Call first in main, before the application object and before any thread is started.
void prepareToolkit();

} // namespace platform
