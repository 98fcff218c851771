// What the window says when a code could not be learned into a key, or its old code's room not
// given back. No widgets.
#pragma once

#include "device/capturecommit.h"

#include <QString>

#include <optional>

// The message for a learning that ended without the key written; empty where nothing is said
// (the writes were withheld, having said why, or the key has no entry at all).
QString learnFailureText(const device::LearnResult& learned);

// What is said of keys learned or deleted, `said`, and, when the write that was to give an old
// code's room back failed at `roomNotFreedAt`, that too: the keys are as asked, only that room
// stays in use for now.
QString withRoomNotFreed(const QString& said, std::optional<unsigned> roomNotFreedAt);
