#include "translations.h"

#include "platform/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The translations stay installed until the program ends or another language replaces them.
QTranslator& programTranslator() {
    static QTranslator translator;
    return translator;
}

QTranslator& toolkitTranslator() {
    static QTranslator translator;
    return translator;
}

} // namespace

void installTranslations(const QLocale& locale) {
    QTranslator& program = programTranslator();
    QTranslator& toolkit = toolkitTranslator();
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);

    const QString toolkitFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // The desktop's languages in its order of preference (LANGUAGE first); the first one the
    // program has a translation for wins.
    if (program.load(locale, QStringLiteral("qtm418"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&program);
        // The pictures with words and the help file speak the language the texts do.
        platform::setLanguage(QLocale(program.language()).language() == QLocale::English
                                  ? platform::Language::English
                                  : platform::Language::Chinese);
        if (toolkit.load(QLocale(program.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                         toolkitFolder))
            QCoreApplication::installTranslator(&toolkit);
        return;
    }
    platform::setLanguage(platform::Language::Chinese);
    if (toolkit.load(QStringLiteral("qtbase_zh_CN"), toolkitFolder))
        QCoreApplication::installTranslator(&toolkit);
}
