// What the window says when a code could not be learned into a key. No widgets.
#pragma once

#include "device/capturecommit.h"

#include <QString>

// The message for a learning that ended without the key written; empty where nothing is said
// (the writes were withheld, having said why, or the key has no entry at all).
QString learnFailureText(const device::LearnResult& learned);
