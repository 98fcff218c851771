#include "codeconverter.h"

#include "bridge/bridge.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace device {

namespace {

#if defined(_WIN32)
using ConvertCodeFunction = const char*(__stdcall*)(const char*, std::int32_t);
#else
using ConvertCodeFunction = const char* (*)(const char*, std::int32_t);
#endif

constexpr std::int32_t kConvertMode = 2;

QString programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
#if defined(__linux__)
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return QString::fromStdString(program.parent_path().string());
#endif
    return QDir::currentPath();
}

// The export of a library loaded earlier, or found now; null while the library or export is
// missing, so a converter put in place later is still found.
ConvertCodeFunction converter(const std::string& libraryName) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<QLibrary>> loaded;
    std::lock_guard<std::mutex> guard(mutex);
    if (const auto it = loaded.find(libraryName); it != loaded.end())
        return reinterpret_cast<ConvertCodeFunction>(it->second->resolve("ConvertCode"));
    const QString name = QString::fromStdString(libraryName);
    // Next to the program in the build tree and on Windows, in ../lib once installed, else
    // wherever the system finds libraries.
    const QDir folder(programFolder());
    auto library = std::make_unique<QLibrary>();
    const QString places[] = {folder.filePath(name), folder.filePath(QStringLiteral("../lib/") + name), name};
    const bool found = std::any_of(std::begin(places), std::end(places), [&library](const QString& place) {
        library->setFileName(place);
        return library->load();
    });
    if (!found)
        return nullptr;
    const auto function = reinterpret_cast<ConvertCodeFunction>(library->resolve("ConvertCode"));
    if (!function) {
        library->unload();
        return nullptr;
    }
    loaded[libraryName] = std::move(library);
    return function;
}

} // namespace

std::string convertCodeWith(const std::string& libraryName, const std::string& converterInput) {
    const ConvertCodeFunction convert = converter(libraryName);
    if (!convert)
        return {};
    const char* answer = convert(converterInput.c_str(), kConvertMode);
    return answer ? std::string(answer) : std::string();
}

std::string convertCode(const std::string& converterInput) {
    // The maker's device library is never used with our converter, nor ours with the maker's
    // converter: the real firmware plays only the maker's code data.
    if (auto makers = bridge::makerConversion(converterInput))
        return std::move(*makers);
    return convertCodeWith("ConLCode", converterInput);
}

} // namespace device
