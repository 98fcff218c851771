#include "indexedimage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace artwork {

namespace {

constexpr std::size_t kPaletteSize = 256;
// A colour covering at least 1/200 of all pixels is a flat area and keeps its exact value.
constexpr std::int64_t kFlatAreaShare = 200;
constexpr std::size_t kMostFlatColours = 48;

struct Tally {
    QRgb colour;
    std::int64_t count;
};

int channel(QRgb colour, int axis) {
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

std::vector<QImage> asRgb(const std::vector<QImage>& pictures) {
    std::vector<QImage> rgb;
    rgb.reserve(pictures.size());
    for (const QImage& picture : pictures)
        rgb.push_back(picture.convertToFormat(QImage::Format_RGB32));
    return rgb;
}

// Every colour with its pixel count, most frequent first (ties by value, so the result is stable).
std::vector<Tally> tally(const std::vector<QImage>& pictures, std::int64_t& total) {
    std::unordered_map<QRgb, std::int64_t> counts;
    total = 0;
    for (const QImage& picture : pictures) {
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                ++counts[line[x] | 0xFF000000u];
        }
        total += static_cast<std::int64_t>(picture.width()) * picture.height();
    }
    std::vector<Tally> colours;
    colours.reserve(counts.size());
    for (const auto& [colour, count] : counts)
        colours.push_back({colour, count});
    std::sort(colours.begin(), colours.end(), [](const Tally& a, const Tally& b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    return colours;
}

// A box of the median cut: a run of `colours`.
struct Box {
    std::size_t begin;
    std::size_t end;
    int axis;            // the channel with the widest range
    std::int64_t weight; // pixels in the box
    int range;           // width of that channel
};

Box measure(const std::vector<Tally>& colours, std::size_t begin, std::size_t end) {
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    std::int64_t weight = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], channel(colours[i].colour, axis));
            high[axis] = std::max(high[axis], channel(colours[i].colour, axis));
        }
        weight += colours[i].count;
    }
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (high[a] - low[a] > high[axis] - low[axis])
            axis = a;
    return {begin, end, axis, weight, high[axis] - low[axis]};
}

// Splits the boxes that lose most by being one colour until `count` boxes exist.
std::vector<Box> medianCut(std::vector<Tally>& colours, std::size_t count) {
    std::vector<Box> boxes{measure(colours, 0, colours.size())};
    while (boxes.size() < count) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return static_cast<double>(a.range) * a.range * a.weight <
                   static_cast<double>(b.range) * b.range * b.weight;
        });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [axis = box.axis](const Tally& a, const Tally& b) {
            return channel(a.colour, axis) != channel(b.colour, axis)
                       ? channel(a.colour, axis) < channel(b.colour, axis)
                       : a.colour < b.colour;
        });
        std::size_t split = box.begin;
        std::int64_t below = 0;
        while (split + 1 < box.end && (below + colours[split].count) * 2 <= box.weight)
            below += colours[split++].count;
        split = std::max(split, box.begin + 1);
        *widest = measure(colours, box.begin, split);
        boxes.push_back(measure(colours, split, box.end));
    }
    return boxes;
}

QRgb average(const std::vector<Tally>& colours, const Box& box) {
    std::array<std::int64_t, 3> sum{0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += channel(colours[i].colour, axis) * colours[i].count;
    const auto mean = [&](int axis) { return static_cast<int>((sum[axis] + box.weight / 2) / box.weight); };
    return qRgb(mean(0), mean(1), mean(2));
}

QList<QRgb> palette(std::vector<Tally> colours, std::int64_t total) {
    QList<QRgb> entries;
    if (colours.size() <= kPaletteSize) {
        for (const Tally& t : colours)
            entries.push_back(t.colour);
        return entries;
    }
    std::size_t flat = 0;
    while (flat < kMostFlatColours && colours[flat].count * kFlatAreaShare >= total)
        entries.push_back(colours[flat++].colour);
    std::vector<Tally> rest(colours.begin() + static_cast<std::ptrdiff_t>(flat), colours.end());
    for (const Box& box : medianCut(rest, kPaletteSize - flat))
        entries.push_back(average(rest, box));
    return entries;
}

} // namespace

QImage toIndexed(const QImage& picture) { return toIndexed(std::vector<QImage>{picture}).front(); }

std::vector<QImage> toIndexed(const std::vector<QImage>& frames) {
    const std::vector<QImage> rgb = asRgb(frames);
    std::int64_t total = 0;
    const QList<QRgb> shared = palette(tally(rgb, total), total);
    std::vector<QImage> indexed;
    indexed.reserve(rgb.size());
    for (const QImage& frame : rgb)
        indexed.push_back(frame.convertToFormat(QImage::Format_Indexed8, shared));
    return indexed;
}

} // namespace artwork
