#include "picturedecoder.h"

#include "mainlayout.h"

#include <QImage>
#include <QThread>

#include <future>
#include <map>
#include <memory>

namespace controls {

namespace {

// The worker is Qt's own thread, not one Qt adopts when it first decodes there: on Windows an
// adopted thread is cleaned up by a watcher thread of Qt's, which could still be at work when the
// program ended, and the program then crashed on its way out.
struct Decoding {
    std::vector<QString> paths;
    std::vector<std::promise<QImage>> decoded;
    std::map<QString, std::future<QImage>> waiting;
    std::unique_ptr<QThread> worker;

    Decoding() = default;
    Decoding(const Decoding&) = delete;
    Decoding& operator=(const Decoding&) = delete;
    ~Decoding() {
        if (worker)
            worker->wait();
    }
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
    d->worker.reset(QThread::create([d] {
        for (std::size_t i = 0; i < d->paths.size(); ++i)
            d->decoded[i].set_value(QImage(d->paths[i]));
    }));
    d->worker->start();
    if (!d->worker->isRunning() && !d->worker->isFinished())
        return; // no thread to spare: every picture is loaded when asked for
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
    if (current() && current()->worker)
        current()->worker->wait();
    current().reset();
}

} // namespace controls
