#include "language.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace platform {

namespace {

// Set on the user-interface thread at start, read by whatever loads a shipped file.
std::atomic<Language> current{Language::Chinese};

} // namespace

Language language() { return current.load(); }

void setLanguage(Language language) { current.store(language); }

QString localisedFile(const QString& folder, const QString& name) {
    const QDir shipped(folder);
    if (language() == Language::English) {
        const QString english = shipped.filePath(QStringLiteral("en/") + name);
        if (QFileInfo::exists(english))
            return english;
    }
    return shipped.filePath(name);
}

} // namespace platform
