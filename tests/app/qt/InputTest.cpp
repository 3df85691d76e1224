// What the Qt program's widgets hand to the logic: clicks and keys on the tree (a click on an
// expand button is no node click; the menu key opens the selected node's menu), the pane's mouse
// events with their button masks and double clicks, moves over the splitter, and screenshots in
// the formats of Qt's image loader.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidgetItem>

#include "AppTestSupport.h"
#include "platform/Platform.h"

using namespace morvish;
using namespace morvish::test;

namespace {

struct Routed {
    std::string operation;
    int Button, X, Y;
    friend bool operator==(const Routed&, const Routed&) = default;
};

constexpr int kBasicWidth = 280;
constexpr int kBasicHeight = 120;
constexpr QPoint kMinimise(270, 7);
constexpr std::uint32_t kMinimiseOff = 0x0000FF;
constexpr std::uint32_t kMinimiseOn = 0xFF0000;

// A program with one skin, recording what it routes.
struct InputFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;
    std::vector<Routed> routed;

    InputFixture() {
        const std::filesystem::path dir = root.PathOf("skin/basic_interface");
        WriteSolidBmp(dir / "basewin_bg.bmp", kBasicWidth, kBasicHeight, 0x808080);
        WriteSolidBmp(dir / "sys_mini_off.bmp", 11, 11, kMinimiseOff);
        WriteSolidBmp(dir / "sys_mini_on.bmp", 11, 11, kMinimiseOn);
    }
    void Start() {
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        form = StartProgram(dialogs, folders);
        form->Logic().SetInputObserver(
            [this](std::string_view operation, int Button, int X, int Y) {
                routed.push_back({std::string(operation), Button, X, Y});
            });
    }
    QTreeWidgetItem* Root() const { return RootItem(*form, 0); }
    QTreeWidgetItem* Skin(const char* name = "skin") const { return ChildItem(Root(), name); }
    QTreeWidgetItem* Basic() const { return ChildItem(Skin(), "基本情報ウィンドウ"); }
    const clsSkinMng& Manager() const {
        return *form->Logic().Tree().ManagerOf(frmMain::NodeOf(Skin()));
    }

    // Where a window pixel lies in pane (widget) coordinates, for a centred picture.
    QPoint PanePoint(QPoint window) const {
        const int areaWidth = form->picShowSkin->width() - 4;
        const int areaHeight = form->picShowSkin->height() - 4;
        return QPoint(2 + (areaWidth - kBasicWidth) / 2 + window.x(),
                      2 + (areaHeight - kBasicHeight) / 2 + window.y());
    }
    QRgb ShownAt(QPoint window) const {
        return form->picShowSkin->Picture().pixel(PanePoint(window) - QPoint(2, 2));
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(form->picShowSkin->mapToGlobal(at)), button,
                          held, Qt::NoModifier);
        QApplication::sendEvent(form->picShowSkin, &event);
    }
};

}  // namespace

class InputTest : public QObject {
    Q_OBJECT

  private slots:
    void rightClickOpensTheMenuOfItsLevelButNotOnTheExpandButton() {
        InputFixture f;
        f.Start();
        const QRect row = f.form->tvwSelectSkin->visualItemRect(f.Skin());
        const QPoint expand(row.left() - f.form->tvwSelectSkin->indentation() / 2,
                            row.center().y());
        QTest::mouseClick(f.form->tvwSelectSkin->viewport(), Qt::RightButton, Qt::NoModifier,
                          expand);
        QVERIFY(f.dialogs.menusOpened.empty());

        ClickItem(*f.form, f.Skin(), Qt::RightButton);
        QCOMPARE(f.form->tvwSelectSkin->currentItem(), f.Skin());
        QCOMPARE(f.dialogs.menusOpened, std::vector<QString>({"POPUP スキンルート用"}));
        ClickItem(*f.form, f.Basic(), Qt::RightButton);
        QCOMPARE(f.dialogs.menusOpened.size(), std::size_t(1));
        QCOMPARE(f.form->picShowSkin->Presentations(), 0);
    }

    void keysShowTheNodeAndOpenItsMenu() {
        InputFixture f;
        f.Start();
        f.Skin()->setExpanded(true);
        ClickItem(*f.form, f.Skin());
        QTest::keyClick(f.form->tvwSelectSkin, Qt::Key_Down);
        QCOMPARE(f.form->tvwSelectSkin->currentItem()->text(0), QString("すべて"));
        QCOMPARE(f.Manager().CurrentMode(), 1);
        QTest::keyClick(f.form->tvwSelectSkin, Qt::Key_Down);
        QCOMPARE(f.Manager().CurrentMode(), 2);
        QCOMPARE(f.form->picShowSkin->Presentations(), 2);

        // Shift+F10 opens the menu of the selected node beside it.
        f.form->tvwSelectSkin->setCurrentItem(f.Root());
        QTest::keyClick(f.form->tvwSelectSkin, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(f.dialogs.menusOpened, std::vector<QString>({"POPUP ルートノード用"}));
        const QRect row = f.form->tvwSelectSkin->visualItemRect(f.Root());
        QCOMPARE(f.dialogs.menuPositions.back(),
                 f.form->tvwSelectSkin->viewport()->mapToGlobal(row.center()));
        QTest::keyClick(f.form->tvwSelectSkin, Qt::Key_Menu);
        QCOMPARE(f.dialogs.menusOpened.size(), std::size_t(2));
    }

    void paneEventsCarryTheirButtonMasks() {
        InputFixture f;
        f.Start();
        ClickItem(*f.form, f.Basic());
        const QPoint at = f.PanePoint(QPoint(10, 20));
        f.Send(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        f.Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
        f.Send(QEvent::MouseMove, at + QPoint(1, 0), Qt::NoButton,
               Qt::LeftButton | Qt::RightButton);
        f.Send(QEvent::MouseButtonRelease, at + QPoint(1, 0), Qt::RightButton, Qt::LeftButton);
        f.Send(QEvent::MouseButtonPress, at, Qt::MiddleButton, Qt::LeftButton | Qt::MiddleButton);
        f.Send(QEvent::MouseButtonPress, at, Qt::BackButton, Qt::BackButton);
        // A double click arrives instead of its second press.
        f.Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        const QPoint pane = at - QPoint(2, 2);
        const std::vector<Routed> expected = {
            {"MouseDown", 2, pane.x(), pane.y()},     {"MouseDown", 1, pane.x(), pane.y()},
            {"MouseMove", 3, pane.x() + 1, pane.y()}, {"MouseUp", 2, pane.x() + 1, pane.y()},
            {"MouseDown", 4, pane.x(), pane.y()},     {"MouseUp", 4, pane.x(), pane.y()},
        };
        QVERIFY(f.routed == expected);
    }

    void movesWithoutAButtonShowTheHover() {
        InputFixture f;
        f.Start();
        ClickItem(*f.form, f.Basic());
        QCOMPARE(f.ShownAt(kMinimise), kMinimiseOff | 0xFF000000);
        QTest::mouseMove(f.form->picShowSkin, f.PanePoint(kMinimise));
        QTRY_COMPARE(f.ShownAt(kMinimise), kMinimiseOn | 0xFF000000);
        QCOMPARE(f.routed.back().Button, 0);
        QTest::mouseMove(f.form->picShowSkin, f.PanePoint(QPoint(100, 100)));
        QTRY_COMPARE(f.ShownAt(kMinimise), kMinimiseOff | 0xFF000000);
    }

    void splitterFollowsTheLeftButtonAndRedrawsOnAnyMove() {
        InputFixture f;
        f.Start();
        ClickItem(*f.form, ChildItem(f.Skin(), "すべて"));
        const int before = f.form->picShowSkin->Presentations();
        const auto move = [&](int X, Qt::MouseButtons held) {
            const QPointF local(X, 5);
            QMouseEvent event(QEvent::MouseMove, local, f.form->cntForResize->mapToGlobal(local),
                              Qt::NoButton, held, Qt::NoModifier);
            QApplication::sendEvent(f.form->cntForResize, &event);
        };
        move(-60, Qt::RightButton);
        QCOMPARE(f.form->cntForResize->x(), 128);
        QCOMPARE(f.form->picShowSkin->Presentations(), before + 1);
        move(50, Qt::LeftButton);
        QCOMPARE(f.form->cntForResize->x(), 178);
        QCOMPARE(f.form->tvwSelectSkin->width(), 172);
        QCOMPARE(f.form->picShowSkin->x(), 180);
        QTest::mouseMove(f.form->cntForResize, QPoint(1, 30));
        QTRY_VERIFY(f.form->picShowSkin->Presentations() > before + 2);
    }

    void screenshotsInTheFormatsOfTheImageLoader() {
        InputFixture f;
        for (const char* format : {"png", "jpg", "bmp"}) {
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(QColor(0x20, 0x40, 0x80));
            f.root.MakeFolder(format);
            const std::string file = std::string(format) + "/ss." + format;
            QVERIFY(image.save(QString::fromStdString(platform::PathToUtf8(f.root.PathOf(file)))));
        }
        // Qt reads GIF but does not write it: an 8 × 6 picture of one colour.
        const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x08, 0x00, 0x06, 0x00,
                                     0xf0, 0x00, 0x00, 0x20, 0x40, 0x80, 0x00, 0x00, 0x00, 0x21,
                                     0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
                                     0x00, 0x00, 0x08, 0x00, 0x06, 0x00, 0x00, 0x02, 0x06, 0x84,
                                     0x8f, 0xa9, 0xcb, 0x7d, 0x05, 0x00, 0x3b};
        f.root.Write("gif/SS.GIF", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
        f.root.Write("broken/ss.jpg", "not a picture");
        f.Start();
        for (const char* format : {"png", "jpg", "gif", "bmp"}) {
            ClickItem(*f.form, f.Skin(format));
            QCOMPARE(f.form->picShowSkin->Picture().size(), QSize(8, 6));
            QVERIFY(qAbs(QColor(f.form->picShowSkin->Picture().pixel(7, 5)).blue() - 0x80) <= 4);
        }
        QCOMPARE(f.form->picShowSkin->Presentations(), 4);
        // Shown unscaled from the top-left corner of the drawing area.
        const QImage shown = f.form->picShowSkin->grab().toImage();
        QVERIFY(qAbs(QColor(shown.pixel(2 + 7, 2 + 5)).blue() - 0x80) <= 4);
        QCOMPARE(QColor(shown.pixel(2 + 8, 2)), QColor(Qt::white));

        // One that cannot be read: the pane keeps what it shows and the status line says why.
        ClickItem(*f.form, f.Skin("broken"));
        QCOMPARE(f.form->picShowSkin->Presentations(), 4);
        QVERIFY(f.form->statusBar()->currentMessage().contains("broken/ss.jpg"));
    }

    void aBitmapSavedByAnotherProgramShowsWithinHalfASecond() {
        InputFixture f;
        f.Start();
        ClickItem(*f.form, f.Basic());
        QCOMPARE(f.ShownAt(kMinimise), kMinimiseOff | 0xFF000000);
        const int presented = f.form->picShowSkin->Presentations();

        // Saved as paint programs save: written under a new name and renamed over the old file.
        // No input follows; the watch alone brings the new look.
        const std::filesystem::path dir = f.root.PathOf("skin/basic_interface");
        WriteSolidBmp(dir / "saving.tmp", 11, 11, 0x00FF00);
        QElapsedTimer waited;
        waited.start();
        std::filesystem::rename(dir / "saving.tmp", dir / "sys_mini_off.bmp");
        QVERIFY(QTest::qWaitFor([&] { return f.ShownAt(kMinimise) == 0xFF00FF00; }, 500));
        QVERIFY(waited.elapsed() < 500);
        // The burst of reports of one save gives one redraw.
        QTest::qWait(int(MainController::kLongestGathering.count()) + 50);
        QCOMPARE(f.form->picShowSkin->Presentations(), presented + 1);

        // Written in place, by a program that does so; and then removed.
        WriteSolidBmp(dir / "sys_mini_off.bmp", 11, 11, 0x0000FE);
        QVERIFY(QTest::qWaitFor([&] { return f.ShownAt(kMinimise) == 0xFF0000FE; }, 500));
        std::filesystem::remove(dir / "sys_mini_off.bmp");
        QVERIFY(QTest::qWaitFor([&] { return f.ShownAt(kMinimise) == 0xFF808080; }, 500));

        // A skin folder made under the root shows in the tree.
        WriteSolidBmp(f.root.PathOf("newer/basic_interface") / "basewin_bg.bmp", 4, 4, 0x808080);
        QVERIFY(QTest::qWaitFor([&] { return f.Skin("newer") != nullptr; }, 500));
    }
};

QTEST_MAIN(InputTest)
#include "InputTest.moc"
