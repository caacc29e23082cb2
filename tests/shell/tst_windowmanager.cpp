// Under a real X server with a window manager (openbox): the main window stays
// where the window manager put it while other windows take its place.
#include "support/MainWindowFixture.h"

#include "app/WindowWiring.h"
#include "gui/editing/AddContactWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWindow>

#include <xcb/xcb.h>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const QByteArray& name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, quint16(name.size()), name.constData()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// The frame as the X server and the window manager have it, asked afresh each
// time: where the window stands on the root window, widened by the frame extents
// the window manager announces (_NET_FRAME_EXTENTS). Qt's own frame geometry is
// what the program uses, so the test does not take it as the truth.
QRect frameOf(const QWidget* window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    xcb_translate_coordinates_reply_t* origin =
        xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr);
    xcb_get_property_reply_t* extents = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, false, id, atomNamed(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    QRect frame;
    if (geometry && origin) {
        frame = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        if (extents && xcb_get_property_value_length(extents) == 16) {
            const auto* sides = static_cast<const quint32*>(xcb_get_property_value(extents));
            frame.adjust(-int(sides[0]), -int(sides[2]), int(sides[1]), int(sides[3]));
        }
    }
    free(geometry);
    free(origin);
    free(extents);
    const qreal ratio = window->devicePixelRatio();
    return QRect(QPoint(qRound(frame.x() / ratio), qRound(frame.y() / ratio)),
                 QSize(qRound(frame.width() / ratio), qRound(frame.height() / ratio)));
}

// The window manager frames a window a moment after it is shown.
bool framed(const QWidget* window)
{
    return QTest::qWaitFor([window] { return frameOf(window) != window->geometry(); }, 5000);
}

// Moves the window as the user's drag does: the window manager moves the frame,
// and the program only hears of it. (_NET_MOVERESIZE_WINDOW, from a pager.)
void dragTo(QWidget* window, const QPoint& frameTopLeft)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const QByteArray name = "_NET_MOVERESIZE_WINDOW";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, quint16(name.size()), name.constData()), nullptr);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window->winId());
    event.type = atom->atom;
    free(atom);
    const qreal ratio = window->devicePixelRatio();
    // North-west gravity (1), x and y given (bits 8, 9), sent by a pager (2 << 12).
    event.data.data32[0] = 1 | (1 << 8) | (1 << 9) | (2 << 12);
    event.data.data32[1] = quint32(qRound(frameTopLeft.x() * ratio));
    event.data.data32[2] = quint32(qRound(frameTopLeft.y() * ratio));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

// Whether a window manager has announced itself on the root window (EWMH).
bool windowManagerRuns()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const QByteArray name = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, quint16(name.size()), name.constData()), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, false, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool runs = property && xcb_get_property_value_length(property) > 0;
    free(property);
    free(atom);
    return runs;
}

QWidget* shownOtherThan(const QWidget* main)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible() && !window->inherits("QMenu"))
            return window;
    }
    return nullptr;
}

} // namespace

class TestWindowManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // The window manager may still be starting; a window shown before it runs is
        // framed without the program hearing of it.
        QVERIFY2(QTest::qWaitFor(windowManagerRuns, 15000), "no window manager runs");
        // Announced is not yet managing: a window mapped while openbox starts may be
        // left unmapped, so show a probe again until it is framed.
        QWidget probe;
        probe.resize(200, 100);
        const bool managed = QTest::qWaitFor(
            [&probe] {
                probe.show();
                if (QTest::qWaitFor([&probe] { return frameOf(&probe) != probe.geometry(); }, 1000))
                    return true;
                probe.hide();
                return false;
            },
            20000);
        QVERIFY2(managed, "the window manager frames no window");
    }

    void mainWindowKeepsItsFramePosition_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("add contact") << "cmdAddContact" << QPoint(571, 336);
        QTest::newRow("add contact near the corner") << "cmdAddContact" << QPoint(277, 54);
        QTest::newRow("about") << "mnuAbout" << QPoint(430, 300);
        QTest::newRow("export") << "mnuExport" << QPoint(120, 240);
    }
    void mainWindowKeepsItsFramePosition()
    {
        QFETCH(QString, command);
        QFETCH(QPoint, placed);
        MainWindowFixture f;
        wireWindows(*f.window);
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath(QStringLiteral("Friends.DAT")), "Friends.DAT"});
        f.action("mnuFileNew")->trigger();
        QVERIFY(f.window->session().hasFile());
        QVERIFY(framed(f.window.get()));
        dragTo(f.window.get(), placed);
        // Moved, and the program has heard of it, as it has long before a user's next click.
        QVERIFY(QTest::qWaitFor(
            [&] {
                return frameOf(f.window.get()).topLeft() == placed &&
                       f.window->windowHandle()->frameGeometry().topLeft() == placed;
            },
            5000));
        const QRect before = frameOf(f.window.get());
        const QRect inside = f.window->geometry();

        for (int round = 0; round < 2; ++round) {
            if (command.startsWith(QLatin1String("cmd")))
                f.click(command.toLatin1().constData());
            else
                f.action(command.toLatin1().constData())->trigger();
            QWidget* other = shownOtherThan(f.window.get());
            QVERIFY(other);
            QVERIFY(QTest::qWaitForWindowExposed(other));
            QVERIFY(framed(other));
            QTest::qWait(200);
            other->close();
            QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
            QVERIFY(framed(f.window.get()));
            QTest::qWait(300); // time for the window manager to place it, if it would
            QCOMPARE(f.window->geometry(), inside);
            // The frame's extents may arrive a moment after the frame.
            QTRY_COMPARE_WITH_TIMEOUT(frameOf(f.window.get()), before, 3000);
        }
        // The place written at shutdown is the frame's too, in twips (15 a pixel at 96 dpi).
        const double twips = 1440.0 / f.window->screen()->logicalDotsPerInch();
        f.window->close();
        QSettings settings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
        QCOMPARE(settings.value(QStringLiteral("Settings/MainLeft")).toInt(), qRound(before.x() * twips));
        QCOMPARE(settings.value(QStringLiteral("Settings/MainTop")).toInt(), qRound(before.y() * twips));
    }
};

QTEST_MAIN(TestWindowManager)
#include "tst_windowmanager.moc"
