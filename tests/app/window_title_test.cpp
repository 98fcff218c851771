// The titles the window system really shows: the program runs on a virtual X screen and the
// titles are read back from the X server, where the toolkit may have added to what was set.
#include "devicefolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// An Xvfb server for one test; it names its display once it accepts clients, and keeps running
// between the programs the test starts instead of resetting when the last one goes.
class VirtualScreen {
public:
    VirtualScreen() {
        const QStringList options =
            QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset")
                .split(QLatin1Char(' '));
        server_.start(QStringLiteral("Xvfb"), options);
        if (server_.waitForStarted(5000) && server_.waitForReadyRead(10000))
            display_ = ":" + server_.readLine().trimmed().toStdString();
    }
    ~VirtualScreen() {
        server_.kill();
        server_.waitForFinished(5000);
    }
    const std::string& display() const { return display_; }

private:
    QProcess server_;
    std::string display_;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The titles of the windows on the screen, as a window manager reads them.
std::vector<std::string> shownTitles(const std::string& display) {
    std::vector<std::string> titles;
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection) == 0) {
        const xcb_atom_t name = atom(connection, "_NET_WM_NAME");
        const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
        const int count = tree ? xcb_query_tree_children_length(tree.get()) : 0;
        for (int i = 0; i < count; ++i) {
            const xcb_window_t window = xcb_query_tree_children(tree.get())[i];
            std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
                xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                                nullptr),
                &std::free);
            std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> title(
                xcb_get_property_reply(connection,
                                       xcb_get_property(connection, 0, window, name, utf8, 0, 256), nullptr),
                &std::free);
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && title)
                titles.emplace_back(static_cast<const char*>(xcb_get_property_value(title.get())),
                                    static_cast<std::size_t>(xcb_get_property_value_length(title.get())));
        }
    }
    xcb_disconnect(connection);
    return titles;
}

TEST(WindowTitle, BoxesAndTheWindowCarryExactlyTheTitlesTheProgramGives) {
    VirtualScreen screen;
    ASSERT_FALSE(screen.display().empty()) << "Xvfb did not start";
    struct Case {
        const char* remote; // a profile, or "unplugged"
        std::string title;  // of the box or window the program opens
    };
    const Case cases[] = {
        {"unplugged", "提示"},       // the boxed wait for the remote
        {"old-firmware", "QTM-418"}, // a plain refusal carries the application title
        {"factory", "自学习"},       // the main window itself
    };
    for (const Case& c : cases) {
        const std::string remote = c.remote;
        testsupport::DeviceFolder folder(remote == "unplugged" ? "factory" : remote);
        folder.setAttached(remote != "unplugged");
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QTM418_DEVICE_DIR"), QString::fromStdString(folder.path().string()));
        env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(screen.display()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // With no session bus named, the bus library forks a launcher; under the sanitizer that
        // child can hang in its allocator, holding the program up. A bus that is not there fails
        // at once.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=/nonexistent/qtm418-test-bus"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QTM418_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(5000));
        // The first title that begins as expected; whatever follows it is what the toolkit added.
        std::string shown;
        std::string all;
        const auto appeared = [&] {
            all.clear();
            for (const std::string& title : shownTitles(screen.display())) {
                all += " [" + title + "]";
                if (title.rfind(c.title, 0) == 0)
                    shown = title;
            }
            return !shown.empty();
        };
        EXPECT_TRUE(QTest::qWaitFor(appeared, 20000))
            << c.remote << ", shown:" << all << program.readAllStandardError().toStdString();
        EXPECT_EQ(shown, c.title) << c.remote;
        program.kill();
        program.waitForFinished(5000);
    }
}

} // namespace
