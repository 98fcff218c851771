// Downloading code collections from the window: the item on the window's menu, the offer when
// setting up by maker finds the library empty, a collection fetched from a server on this computer
// behind a progress dialog, a 404 and a Cancel told and undone, and IRDB's conditions asked first.
#include "windowtest.h"

#include "app/listdialog.h"
#include "archives.h"
#include "codes/downloadsources.h"
#include "codes/ownerslibrary.h"
#include "httpserver.h"
#include "scratchlibrary.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

using platform::Answer;

namespace {

class DownloadWindowTest : public WindowTest {
protected:
    QString lastMessage() const {
        return messages.shown().empty() ? QString() : messages.shown().back().text;
    }
    codes::Collection served(const std::string& path) {
        return std::get<codes::Collection>(codes::collectionAt(server.address(path)));
    }
    std::string acme() {
        using testsupport::necButton;
        return testsupport::makeArchive(
            testsupport::ArchiveForm::TarGz,
            {{"Acme-main/TVs/Acme/Acme_A.ir", testsupport::flipperFile({necButton("Power", 0x20, 0x0A)})},
             {"Acme-main/TVs/Acme/Acme_B.ir", testsupport::flipperFile({necButton("Power", 0x20, 0x0B)})}});
    }
    std::filesystem::path own() const { return codes::standardLibraryFolders().back(); }

    testsupport::ScratchLibrary library;
    testsupport::HttpServer server;
};

TEST_F(DownloadWindowTest, AnEmptyLibraryOffersADownloadWhenSettingUpByMaker) {
    createShown();
    window->openWindowMenu(QPoint(0, 0));
    auto* menu = window->findChild<QMenu*>(QStringLiteral("windowMenu"));
    ASSERT_NE(menu, nullptr);
    auto* item = menu->findChild<QAction*>(QStringLiteral("downloadLibrary"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("下载代码库(&D)…"));
    EXPECT_TRUE(item->isEnabled());
    menu->close();

    messages.expect(Answer::No);
    window->setUpByMaker();
    EXPECT_EQ(lastMessage(), QStringLiteral("代码库中还没有代码文件，因此无法按品牌设置。\n"
                                            "要现在下载一个遥控器代码集合（例如 Flipper-IRDB）吗？"));
    EXPECT_EQ(messages.shown().back().buttons, platform::Buttons::YesNo);

    // Yes lists the collections with their size and licence; closing the list fetches nothing.
    messages.expect(Answer::Yes);
    dialogs.expectDialog([](QDialog& d) {
        const QListWidget* list = static_cast<ListDialog&>(d).list();
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(),
                  QStringLiteral("Flipper-IRDB — 约 25.0 MB，许可：CC0 1.0（可自由使用）"));
        EXPECT_EQ(list->item(1)->text(),
                  QStringLiteral("IRDB — 约 3.0 MB，许可：IRDB 自有许可（附有条件，下载前显示）"));
        return static_cast<int>(QDialog::Rejected);
    });
    window->setUpByMaker();
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(server.requests(), 0);
}

TEST_F(DownloadWindowTest, ADownloadIsIndexedOrUndoneAndSaidSo) {
    createShown();
    server.serve("/Acme.tar.gz", {200, acme()});
    messages.expect(Answer::Ok);
    EXPECT_TRUE(window->downloadCollection(served("/Acme.tar.gz")));
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("已下载 Acme（"))) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("\n代码库中加入了其中的 2 组代码。")))
        << lastMessage().toStdString();

    messages.expect(Answer::Ok);
    EXPECT_FALSE(window->downloadCollection(served("/none.zip")));
    EXPECT_EQ(lastMessage(),
              QStringLiteral("无法下载 none：服务器上没有这个文件（404）：%1\n代码库保持原样。")
                  .arg(QString::fromStdString(server.address("/none.zip"))));

    // Cancel in the progress dialog while the server holds back the rest.
    server.serve("/Acme.tar.gz", {200, acme(), testsupport::Reply::Way::StallHalfway});
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(top);
            if (progress && progress->isVisible() &&
                progress->labelText().startsWith(QStringLiteral("正在下载 Acme")))
                progress->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        }
    });
    watcher.start(20);
    messages.expect(Answer::Ok);
    EXPECT_FALSE(window->downloadCollection(served("/Acme.tar.gz")));
    watcher.stop();
    EXPECT_EQ(lastMessage(), QStringLiteral("已取消下载 Acme，代码库保持原样。"));
    EXPECT_TRUE(std::filesystem::exists(own() / "Acme" / "TVs" / "Acme" / "Acme_A.ir"));

    // IRDB's conditions are shown and asked about before anything is fetched.
    const int asked = server.requests();
    messages.expect(Answer::No);
    EXPECT_FALSE(window->downloadCollection(*codes::findCollection("IRDB")));
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("IRDB 的许可附有条件：")))
        << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Contains/accesses irdb by Simon Peter")));
    EXPECT_EQ(server.requests(), asked);
}

} // namespace
