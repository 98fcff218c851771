// How long loading the skin takes, beside the floor: decoding the same pictures straight from
// memory with the image decoders, with no bundle loading, lookup or copying around them.
#include "app/skin.h"
#include "platform/fixedpaths.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QResource>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Encoded {
    QByteArray bytes;
    const char* format;
};

// Every picture loadSkin decodes, read once into memory.
std::vector<Encoded> encodedPictures() {
    std::vector<Encoded> pictures;
    const QString folder = QCoreApplication::applicationDirPath();
    for (const char* bundle : {"on100C", "sn100C", "fn100C", "dn100C", "bn100C"}) {
        const QString root = QStringLiteral("/bench-%1").arg(QLatin1String(bundle));
        QResource::registerResource(QDir(folder).filePath(QLatin1String(bundle) + QStringLiteral(".rcc")),
                                    root);
        const bool keys = QLatin1String(bundle) != QLatin1String("bn100C");
        const QStringList names =
            keys ? QStringList() : QStringList{"gifquorel", "jpgjingtai", "stopdelete", "deletehui",
                                               "delete",    "clear",      "clearhui"};
        for (int n = 0; keys && n < kKeyPictureCount; ++n)
            pictures.push_back(
                {QResource(QStringLiteral(":%1/gif%2").arg(root).arg(n)).uncompressedData(), "GIF"});
        for (const QString& name : names)
            pictures.push_back(
                {QResource(QStringLiteral(":%1/%2").arg(root, name)).uncompressedData(), "JPEG"});
    }
    for (auto& p : pictures)
        p.bytes.detach();
    return pictures;
}

void decodeFloor(benchmark::State& state) {
    const auto pictures = encodedPictures();
    for (auto _ : state) {
        for (const auto& p : pictures) {
            QImage image = QImage::fromData(p.bytes, p.format);
            benchmark::DoNotOptimize(image);
        }
    }
    state.counters["pictures"] = static_cast<double>(pictures.size());
}

void decodeToPixmaps(benchmark::State& state) {
    const auto pictures = encodedPictures();
    for (auto _ : state) {
        for (const auto& p : pictures) {
            QPixmap pixmap = QPixmap::fromImage(QImage::fromData(p.bytes, p.format), Qt::NoOpaqueDetection);
            benchmark::DoNotOptimize(pixmap);
        }
    }
}

void loadWholeSkin(benchmark::State& state) {
    const QString animation = QDir::temp().filePath(QStringLiteral("qtm418-bench-888.swf"));
    for (auto _ : state) {
        SkinPictures skin;
        if (!loadSkin(skin, animation))
            state.SkipWithError("the skin bundles next to the benchmark did not load");
        benchmark::DoNotOptimize(skin);
    }
    QFile::remove(animation);
}

} // namespace

BENCHMARK(decodeFloor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(decodeToPixmaps)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(loadWholeSkin)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
