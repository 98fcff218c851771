// Every fault a refused file or the layout check reports, worded by the window: Chinese with no
// English in it, and translated in the English translation. Each kind is worded with details of
// digits only, so any ASCII word left over comes from the wording itself; the only ones allowed are
// the file formats' own names and keywords, which read the same in every language.
#include "app/codefiletexts.h"
#include "app/memorytexts.h"
#include "app/translations.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The last kind of each list; the wording's switches cover every kind up to it.
constexpr int kFileFaults = static_cast<int>(codes::FileFault::CodeTooWide) + 1;
constexpr int kFaultPlaces = static_cast<int>(codes::FaultIn::Rc5xForm) + 1;
constexpr int kBackupFaults = static_cast<int>(model::BackupFault::TextAfterChecksum) + 1;
constexpr int kLayoutFaults = static_cast<int>(model::LayoutFault::EntryUnreferenced) + 1;
constexpr int kLayoutAreas = static_cast<int>(model::LayoutArea::PresetTable) + 1;

const char* const kFormatWords =
    "Flipper .ir Pronto JSON SmartIR Broadlink GlobalCache sendir lircd.conf IRDB CSV base64 Base64 MB kHz "
    "MHz "
    "Hz 0x26 0D 05 NEC1 900A RC5x null commands name: raw parsed timings_us carrier_hz "
    "functionname,protocol,device,subdevice,function module:port id begin remote end CONST_LENGTH SPACE_ENC "
    "RC5 RC6 RAW_CODES REVERSE NO_HEAD_REP NO_FOOT_REP REPEAT_HEADER one zero pre_data_bits bits "
    "post_data_bits pre_data post_data crc32 QTM418-BACKUP Raw ESPHome";

QStringList asciiWords(const QString& text) {
    QStringList words;
    const QRegularExpression letters(QStringLiteral("[A-Za-z]+"));
    for (auto it = letters.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

// Every wording of every kind, with digits for its details.
std::vector<std::pair<std::string, QString>> allWordings() {
    std::vector<std::pair<std::string, QString>> all;
    for (int f = 0; f < kFileFaults; ++f)
        for (int in = 0; in < kFaultPlaces; ++in)
            for (const std::size_t line : {0, 7}) {
                const codes::FileProblem p{static_cast<codes::FileFault>(f),
                                           "/1/2/3",
                                           line,
                                           static_cast<codes::FaultIn>(in),
                                           "45",
                                           "678",
                                           "90",
                                           12,
                                           34};
                all.emplace_back("file fault " + std::to_string(f) + " in " + std::to_string(in) + " line " +
                                     std::to_string(line),
                                 codefiletexts::problemText(p));
            }
    for (int f = 0; f < kBackupFaults; ++f)
        for (const char c : {'7', '\r'})
            all.emplace_back(
                "backup fault " + std::to_string(f),
                memorytexts::backupProblemText({5, static_cast<model::BackupFault>(f), "8", 0x40, c}));
    for (int f = 0; f < kLayoutFaults; ++f)
        for (int area = 0; area < kLayoutAreas; ++area)
            for (const unsigned last : {3u, 9u})
                all.emplace_back("layout fault " + std::to_string(f) + " area " + std::to_string(area),
                                 memorytexts::findingText({static_cast<model::LayoutFault>(f),
                                                           static_cast<model::LayoutArea>(area), 0x1234, 5, 6,
                                                           7, 3, last, 8, 9, "04"}));
    return all;
}

class ProblemTexts : public ::testing::Test {
protected:
    void TearDown() override { installTranslations(QLocale::c()); }
};

TEST_F(ProblemTexts, EveryKindReadsInChineseWithNoEnglishWords) {
    installTranslations(QLocale::c());
    const QSet<QString> allowed = [] {
        const QStringList words = asciiWords(QString::fromUtf8(kFormatWords));
        return QSet<QString>(words.begin(), words.end());
    }();
    for (const auto& [kind, text] : allWordings()) {
        EXPECT_TRUE(hasChinese(text)) << kind << ": " << text.toStdString();
        for (const QString& word : asciiWords(text))
            EXPECT_TRUE(allowed.contains(word))
                << kind << ": \"" << word.toStdString() << "\" in " << text.toStdString();
    }
}

TEST_F(ProblemTexts, EveryKindHasItsEnglish) {
    installTranslations(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto& [kind, text] : allWordings()) {
        EXPECT_FALSE(text.isEmpty()) << kind;
        EXPECT_FALSE(hasChinese(text)) << kind << ": " << text.toStdString();
    }
}

} // namespace
