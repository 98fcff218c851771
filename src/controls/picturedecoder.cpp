#include "picturedecoder.h"

#include "mainlayout.h"

#include <QImage>

#include <future>
#include <map>
#include <memory>
#include <system_error>

namespace controls {

namespace {

struct Decoding {
    std::vector<QString> paths;
    std::vector<std::promise<QImage>> decoded;
    std::map<QString, std::future<QImage>> waiting;
    std::future<void> worker;
};

// Touched by the GUI thread only; the worker reads `paths` and fills `decoded`, both fixed before
// it starts.
std::unique_ptr<Decoding>& current() {
    static std::unique_ptr<Decoding> decoding;
    return decoding;
}

} // namespace

void startDecodingPictures(const std::vector<QString>& names) {
    if (current())
        return;
    auto decoding = std::make_unique<Decoding>();
    decoding->decoded.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        decoding->paths.push_back(windowPicture(names[i]));
        decoding->waiting.emplace(names[i], decoding->decoded[i].get_future());
    }
    Decoding* d = decoding.get();
    try {
        d->worker = std::async(std::launch::async, [d] {
            for (std::size_t i = 0; i < d->paths.size(); ++i)
                d->decoded[i].set_value(QImage(d->paths[i]));
        });
    } catch (const std::system_error&) {
        return; // no thread to spare: every picture is loaded when asked for
    }
    current() = std::move(decoding);
}

QPixmap decodedPicture(const QString& name) {
    if (Decoding* d = current().get()) {
        const auto found = d->waiting.find(name);
        if (found != d->waiting.end()) {
            QImage image = found->second.get();
            d->waiting.erase(found);
            return QPixmap::fromImage(std::move(image));
        }
    }
    return QPixmap(windowPicture(name));
}

void finishDecodingPictures() {
    if (current() && current()->worker.valid())
        current()->worker.wait();
    current().reset();
}

} // namespace controls
