#include "frames.h"

#include "model/hextext.h"

#include <algorithm>
#include <cstdlib>

namespace ir {

namespace {

constexpr std::size_t kItemChars = 4;
constexpr std::size_t kLongestBody = 64 * 1024;
constexpr std::string_view kGapStart = "FEFE";
constexpr std::string_view kGapEnd = "EDED";
constexpr std::string_view kNegative = "FFFF";
constexpr std::size_t kMostFrames = 256;

bool sameGap(int played, int captured) { return std::abs(played - captured) * 4 <= captured; }

bool sameFrame(const Frame& played, const Frame& captured) {
    if (played.durations.size() != captured.durations.size())
        return false;
    for (std::size_t i = 0; i < played.durations.size(); ++i)
        if (!sameDuration(played.durations[i], captured.durations[i]))
            return false;
    return true;
}

// Appends a duration to the frames: a mark or space of the current frame, or a long space that
// closes it.
void appendDuration(std::vector<Frame>& frames, int micros) {
    Frame& frame = frames.back();
    const bool isSpace = frame.durations.size() % 2 == 1;
    if (isSpace && micros >= kFrameGapMicros) {
        frame.gapAfter = micros;
        frames.emplace_back();
        return;
    }
    frame.durations.push_back(std::max(micros, 1));
}

int tolerance(int captured) { return std::max(100, captured / 4); }

// Whether `part` is `whole` with its end cut off: the receiver stopped listening within it.
bool cutAtEnd(const std::vector<int>& part, const std::vector<int>& whole) {
    if (part.empty() || part.size() >= whole.size())
        return false;
    for (std::size_t i = 0; i + 1 < part.size(); ++i)
        if (!sameDuration(part[i], whole[i]))
            return false;
    return part.back() <= whole[part.size() - 1] + tolerance(whole[part.size() - 1]);
}

// Whether `part` is `whole` with its start cut off: the receiver began listening within it.
bool cutAtStart(const std::vector<int>& part, const std::vector<int>& whole) {
    if (part.empty() || part.size() >= whole.size())
        return false;
    const std::size_t offset = whole.size() - part.size();
    for (std::size_t i = 1; i < part.size(); ++i)
        if (!sameDuration(part[i], whole[offset + i]))
            return false;
    return part[0] <= whole[offset] + tolerance(whole[offset]);
}

} // namespace

std::vector<Frame> withoutFragments(std::vector<Frame> frames) {
    if (frames.size() >= 2 && cutAtStart(frames[0].durations, frames[1].durations))
        frames.erase(frames.begin());
    if (frames.size() >= 2 && cutAtEnd(frames.back().durations, frames[frames.size() - 2].durations))
        frames.pop_back();
    return frames;
}

bool sameDuration(int played, int captured) { return std::abs(played - captured) <= tolerance(captured); }

std::vector<Frame> splitFrames(const std::vector<int>& timings) {
    std::vector<Frame> frames(1);
    for (int t : timings)
        appendDuration(frames, t);
    if (frames.back().durations.size() % 2 == 0 && !frames.back().durations.empty())
        frames.back().durations.pop_back();
    if (frames.back().durations.empty()) {
        frames.pop_back();
        if (!frames.empty())
            frames.back().gapAfter = 0;
    }
    return frames;
}

std::optional<std::vector<Frame>> parseEncodedBody(std::string_view body) {
    if (body.size() > kLongestBody)
        return std::nullopt;
    body.remove_prefix(body.size() % kItemChars);
    std::vector<Frame> frames(1);
    std::size_t at = 0;
    const auto item = [&](std::size_t offset) { return body.substr(at + offset, kItemChars); };
    bool ended = false;
    while (at < body.size()) {
        const std::string_view token = item(0);
        if (token == kGapEnd) {
            at += kItemChars;
            ended = true;
            break;
        }
        if (token == kGapStart) {
            const auto millis = model::parseHex(item(kItemChars));
            if (!millis || item(2 * kItemChars) != kGapEnd || frames.back().durations.empty())
                return std::nullopt;
            at += 3 * kItemChars;
            if (at == body.size()) {
                ended = true; // the end marker of a record without gaps
                break;
            }
            // The marker holds whole milliseconds, truncated: the gap lies within the next one.
            Frame& frame = frames.back();
            if (frame.durations.size() % 2 == 0)
                frame.durations.pop_back();
            frame.gapAfter = static_cast<int>(std::min<std::uint32_t>(*millis, 1000)) * 1000 + 500;
            if (frames.size() >= kMostFrames)
                return std::nullopt;
            frames.emplace_back();
            continue;
        }
        std::int64_t micros = 0;
        if (token == kNegative) {
            if (body.size() < at + 2 * kItemChars)
                return std::nullopt;
            const auto value = model::parseHex(body.substr(at, 2 * kItemChars));
            if (!value)
                return std::nullopt;
            micros = static_cast<std::int32_t>(*value);
            at += 2 * kItemChars;
        } else {
            const auto value = model::parseHex(token);
            if (!value || token.size() != kItemChars)
                return std::nullopt;
            micros = *value;
            at += kItemChars;
        }
        appendDuration(frames, static_cast<int>(std::max<std::int64_t>(micros, 1)));
        if (frames.size() > kMostFrames)
            return std::nullopt;
    }
    if (!ended || at != body.size())
        return std::nullopt;
    if (frames.back().durations.size() % 2 == 0 && !frames.back().durations.empty())
        frames.back().durations.pop_back();
    if (frames.back().durations.empty())
        return std::nullopt;
    return frames;
}

std::vector<Frame> pressFrames(const Transmission& transmission, std::size_t count) {
    std::vector<Frame> frames = transmission.frames;
    if (frames.empty())
        return frames;
    const std::size_t wanted = std::max(count, transmission.minimumFrames);
    const std::size_t from = std::min(transmission.repeatFrom, transmission.frames.size() - 1);
    for (std::size_t i = from; frames.size() < wanted; ++i) {
        if (i == transmission.frames.size())
            i = from;
        frames.push_back(transmission.frames[i]);
    }
    frames.back().gapAfter = 0;
    return frames;
}

bool faithful(const Transmission& played, const std::vector<Frame>& capturedFrames) {
    const std::vector<Frame> captured = withoutFragments(capturedFrames);
    if (captured.empty())
        return false;
    const std::vector<Frame> sent = pressFrames(played, captured.size() > 1 ? 2 : 1);
    if (sent.empty() || !sameFrame(sent[0], captured[0]))
        return false;
    if (captured.size() == 1)
        return true;
    return sent.size() >= 2 && sameGap(sent[0].gapAfter, captured[0].gapAfter) &&
           sameFrame(sent[1], captured[1]);
}

} // namespace ir
