#include "librarydialog.h"

#include "codes/librarysearch.h"
#include "librarytexts.h"
#include "longwork.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <variant>

namespace {

// What became of the index itself, the files not read and those read in part, as far as a tip
// holds them.
QString reportDetails(const codes::IndexReport& report) {
    constexpr int kMostLines = 12;
    QStringList lines;
    if (!report.note.empty())
        lines << QString::fromStdString(report.note);
    for (const auto* list : {&report.faults, &report.skipped})
        for (const std::string& line : *list)
            lines << QString::fromStdString(line);
    if (lines.size() > kMostLines) {
        lines = lines.mid(0, kMostLines);
        lines << QStringLiteral("…");
    }
    return lines.join(QLatin1Char('\n'));
}

using librarytexts::pathText;

bool isListed(const codes::OwnersLibrary& library, const std::filesystem::path& folder) {
    return std::find(library.listed.folders.begin(), library.listed.folders.end(), folder) !=
           library.listed.folders.end();
}

QString changeProblem(const codes::FolderChangeResult& change) {
    switch (change.outcome) {
    case codes::FolderChange::Done:
        break;
    case codes::FolderChange::NotAFolder:
        return LibraryDialog::tr("文件夹 %1 不存在。").arg(pathText(change.folder));
    case codes::FolderChange::AlreadyListed:
        return LibraryDialog::tr("文件夹 %1 已经在代码库中。").arg(pathText(change.folder));
    case codes::FolderChange::NotListed:
        return LibraryDialog::tr("文件夹 %1 不在代码库中。").arg(pathText(change.folder));
    case codes::FolderChange::Standard:
        return LibraryDialog::tr("文件夹 %1 存在时总是包含在代码库中，无法移除。")
            .arg(pathText(change.folder));
    case codes::FolderChange::ListFailed:
        return LibraryDialog::tr("无法保存代码库的文件夹列表：%1")
            .arg(QString::fromStdString(change.problem));
    }
    return {};
}

} // namespace

LibraryDialog::LibraryDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("libraryDialog"));
    setWindowTitle(tr("代码库"));
    intro_ = new QLabel(this);
    intro_->setObjectName(QStringLiteral("libraryIntro"));
    intro_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("folderList"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("librarySummary"));
    summary_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(tr("添加文件夹(&A)…"), QDialogButtonBox::ActionRole);
    remove_ = buttons->addButton(tr("移除文件夹(&R)"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    add->setObjectName(QStringLiteral("addFolderButton"));
    remove_->setObjectName(QStringLiteral("removeFolderButton"));
    close->setDefault(true);
    connect(add, &QPushButton::clicked, this, &LibraryDialog::addFolder);
    connect(remove_, &QPushButton::clicked, this, &LibraryDialog::removeFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A standard folder stays while it exists: only the owner's own can be removed.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        remove_->setEnabled(row >= 0 && isListed(library_, library_.folders[static_cast<std::size_t>(row)]));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addWidget(list_);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    setMinimumWidth(520);
    reload();
}

void LibraryDialog::reload() {
    std::variant<codes::OwnersLibrary, std::string> opened;
    runWithProgress(this, tr("正在读取代码库…"),
                    [&](const ProgressNote&) { opened = codes::openOwnersLibrary(); });
    if (const auto* problem = std::get_if<std::string>(&opened)) {
        platform::box(tr("无法读取代码库的文件夹列表：%1").arg(QString::fromStdString(*problem)));
        library_ = {};
    } else {
        library_ = std::get<codes::OwnersLibrary>(std::move(opened));
    }
    list_->clear();
    for (const std::filesystem::path& folder : library_.folders) {
        QString line =
            tr("%1 — %n 组代码", nullptr, static_cast<int>(codes::setsUnder(library_.index, folder)))
                .arg(pathText(folder));
        if (!isListed(library_, folder))
            line += tr("（存在时自动包含）");
        list_->addItem(line);
    }
    const codes::CodeLibrary search(library_.index);
    intro_->setText(library_.folders.empty() || search.size() == 0
                        ? librarytexts::whereToGetCodes()
                        : tr("代码库由以下文件夹中的代码文件组成："));
    QString summary =
        tr("共 %1 组代码，其中编码互不相同的有 %2 组。").arg(search.size()).arg(search.distinct());
    const codes::IndexReport& report = library_.report;
    if (!report.faults.empty())
        summary +=
            QLatin1Char(' ') + tr("%n 个文件无法读取。", nullptr, static_cast<int>(report.faults.size()));
    if (!report.skipped.empty())
        summary += QLatin1Char(' ') + tr("%n 个文件中有无法使用的代码，已跳过。", nullptr,
                                         static_cast<int>(report.skipped.size()));
    summary_->setToolTip(reportDetails(report));
    summary_->setText(summary);
    summary_->setVisible(search.size() != 0 || !report.faults.empty() || !report.note.empty());
    list_->setCurrentRow(list_->count() > 0 ? 0 : -1);
    remove_->setEnabled(list_->currentRow() >= 0 &&
                        isListed(library_, library_.folders[static_cast<std::size_t>(list_->currentRow())]));
}

void LibraryDialog::addFolder() {
    QFileDialog dialog(this, tr("选择代码文件所在的文件夹"), QDir::homePath());
    dialog.setObjectName(QStringLiteral("libraryFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QString folder = platform::dialogs().chooseFile(dialog);
    if (folder.isEmpty())
        return;
    const auto change = codes::addOwnersFolder(std::filesystem::path(folder.toStdU16String()));
    if (change.outcome != codes::FolderChange::Done) {
        platform::box(changeProblem(change));
        return;
    }
    reload();
}

void LibraryDialog::removeFolder() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    const auto change = codes::removeOwnersFolder(library_.folders[static_cast<std::size_t>(row)]);
    if (change.outcome != codes::FolderChange::Done) {
        platform::box(changeProblem(change));
        return;
    }
    reload();
}
