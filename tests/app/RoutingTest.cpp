// Mouse input on the preview pane: handed to the manager of the selected skin only while a window
// kind is selected, with the button masks of the pane, and a double click as a release at the
// last press. Drawing failures are reported and the preview keeps its picture.

#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidgetItem>

#include "AppTestSupport.h"

using namespace morvish;
using namespace morvish::test;

namespace {

struct Routed {
    std::string operation;
    int Button, X, Y;
    friend bool operator==(const Routed&, const Routed&) = default;
};

// The basic information window is 280 x 120; its minimise button lies at (266, 3).
constexpr int kBasicWidth = 280;
constexpr int kBasicHeight = 120;
constexpr QPoint kMinimise(270, 7);
constexpr std::uint32_t kBackground = 0x808080;
constexpr std::uint32_t kMinimiseOff = 0x0000FF;
constexpr std::uint32_t kMinimiseOn = 0xFF0000;

// A program with two skins of the same pieces, recording what it routes.
struct RoutingFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;
    std::vector<Routed> routed;

    RoutingFixture() {
        for (const char* skin : {"first", "second"}) {
            const std::string dir = root.PathOf(skin) + "/basic_interface/";
            WriteSolidBmp(dir + "basewin_bg.bmp", kBasicWidth, kBasicHeight, kBackground);
            WriteSolidBmp(dir + "sys_mini_off.bmp", 11, 11, kMinimiseOff);
            WriteSolidBmp(dir + "sys_mini_on.bmp", 11, 11, kMinimiseOn);
        }
        folders.program.Write("SkinDir.txt", root.Path() + "\r\n");
        form = StartProgram(dialogs, folders);
        form->SetInputObserver([this](std::string_view operation, int Button, int X, int Y) {
            routed.push_back({std::string(operation), Button, X, Y});
        });
    }
    QTreeWidgetItem* Skin(const char* name) const { return ChildNode(RootNode(*form, 0), name); }
    QTreeWidgetItem* Basic(const char* skin) const {
        return ChildNode(Skin(skin), "基本情報ウィンドウ");
    }

    // Where a window pixel lies in pane (widget) coordinates, for a centred picture.
    QPoint PanePoint(QPoint window, int height = kBasicHeight) const {
        const int areaWidth = form->picShowSkin->width() - 4;
        const int areaHeight = form->picShowSkin->height() - 4;
        return QPoint(2 + (areaWidth - kBasicWidth) / 2 + window.x(),
                      2 + (areaHeight - height) / 2 + window.y());
    }
    QRgb ShownAt(QPoint window) const {
        const QPoint inner = PanePoint(window) - QPoint(2, 2);
        return form->picShowSkin->Picture().pixel(inner);
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(form->picShowSkin->mapToGlobal(at)), button,
                          held, Qt::NoModifier);
        QApplication::sendEvent(form->picShowSkin, &event);
    }
};

}  // namespace

class RoutingTest : public QObject {
    Q_OBJECT

  private slots:
    void inputIsIgnoredUnlessAWindowKindIsSelected() {
        RoutingFixture f;
        for (QTreeWidgetItem* node :
             {static_cast<QTreeWidgetItem*>(nullptr), RootNode(*f.form, 0), f.Skin("first")}) {
            f.form->tvwSelectSkin->setCurrentItem(node);
            f.Send(QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton);
            f.Send(QEvent::MouseMove, QPoint(31, 30), Qt::NoButton, Qt::LeftButton);
            f.Send(QEvent::MouseButtonRelease, QPoint(31, 30), Qt::LeftButton, Qt::NoButton);
            f.Send(QEvent::MouseButtonDblClick, QPoint(31, 30), Qt::LeftButton, Qt::LeftButton);
        }
        QVERIFY(f.routed.empty());
        QCOMPARE(f.form->LastButton, 0);
        QCOMPARE(f.form->picShowSkin->Presentations(), 0);
    }

    void doubleClickReachesTheWindowAsAReleaseAtTheLastPress() {
        RoutingFixture f;
        ClickNode(*f.form, f.Basic("first"));
        f.Send(QEvent::MouseButtonPress, QPoint(12, 22), Qt::LeftButton, Qt::LeftButton);
        f.Send(QEvent::MouseButtonRelease, QPoint(12, 22), Qt::LeftButton, Qt::NoButton);
        f.Send(QEvent::MouseButtonDblClick, QPoint(14, 25), Qt::LeftButton, Qt::LeftButton);
        f.Send(QEvent::MouseButtonRelease, QPoint(14, 25), Qt::LeftButton, Qt::NoButton);
        const std::vector<Routed> expected = {
            {"MouseDown", 1, 10, 20},
            {"MouseUp", 1, 10, 20},
            {"MouseUp", 1, 10, 20},
            {"MouseUp", 1, 12, 23},
        };
        QVERIFY(f.routed == expected);
        QCOMPARE(f.form->LastButton, 1);
        QCOMPARE(f.form->LastX, 10);
        QCOMPARE(f.form->LastY, 20);
    }

    void buttonMasksOfPressMoveAndRelease() {
        RoutingFixture f;
        ClickNode(*f.form, f.Basic("first"));
        f.Send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
        f.Send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton,
               Qt::LeftButton | Qt::RightButton);
        f.Send(QEvent::MouseMove, QPoint(6, 5), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        f.Send(QEvent::MouseButtonRelease, QPoint(6, 5), Qt::RightButton, Qt::LeftButton);
        f.Send(QEvent::MouseButtonPress, QPoint(6, 5), Qt::MiddleButton,
               Qt::LeftButton | Qt::MiddleButton);
        f.Send(QEvent::MouseButtonPress, QPoint(6, 5), Qt::BackButton, Qt::BackButton);
        const std::vector<Routed> expected = {
            {"MouseDown", 2, 3, 3}, {"MouseDown", 1, 3, 3}, {"MouseMove", 3, 4, 3},
            {"MouseUp", 2, 4, 3},   {"MouseDown", 4, 4, 3},
        };
        QVERIFY(f.routed == expected);
        QCOMPARE(f.form->LastButton, 4);
    }

    void movesWithoutAButtonShowTheHover() {
        RoutingFixture f;
        ClickNode(*f.form, f.Basic("first"));
        QCOMPARE(f.ShownAt(kMinimise), kMinimiseOff | 0xFF000000);

        // Through the window system: the pane tracks the mouse with no button held.
        QTest::mouseMove(f.form->picShowSkin, f.PanePoint(kMinimise));
        QTRY_COMPARE(f.ShownAt(kMinimise), kMinimiseOn | 0xFF000000);
        QCOMPARE(f.routed.back().operation, std::string("MouseMove"));
        QCOMPARE(f.routed.back().Button, 0);
        QTest::mouseMove(f.form->picShowSkin, f.PanePoint(QPoint(100, 100)));
        QTRY_COMPARE(f.ShownAt(kMinimise), kMinimiseOff | 0xFF000000);
    }

    void inputGoesToTheSkinSelectedNow() {
        RoutingFixture f;
        ClickNode(*f.form, f.Basic("first"));
        ClickNode(*f.form, f.Basic("second"));
        f.Send(QEvent::MouseButtonPress, f.PanePoint(kMinimise), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(f.form->SkinManagers[2]->Window(2)->getDrawRect().Bottom, 34);
        QCOMPARE(f.form->SkinManagers[1]->Window(2)->getDrawRect().Bottom, kBasicHeight);
        QCOMPARE(f.form->picShowSkin->Picture().pixel(f.PanePoint(kMinimise, 34) - QPoint(2, 2)),
                 kMinimiseOff | 0xFF000000);
    }

    void drawingFailureIsReportedAndThePreviewKept() {
        RoutingFixture f;
        ClickNode(*f.form, f.Basic("first"));
        const int shown = f.form->picShowSkin->Presentations();
        const QImage before = f.form->picShowSkin->Picture();
        f.root.Write("first/basic_interface/sys_mini_on.bmp", "BM broken");

        f.Send(QEvent::MouseMove, f.PanePoint(kMinimise), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.form->picShowSkin->Presentations(), shown);
        QCOMPARE(f.form->picShowSkin->Picture(), before);
        QVERIFY(f.form->statusBar()->currentMessage().contains("sys_mini_on.bmp"));

        f.root.Write("first/basic_interface/basewin_bg.bmp", "");
        ClickNode(*f.form, ChildNode(f.Skin("first"), "すべて"));
        ClickNode(*f.form, f.Basic("first"));
        QVERIFY(f.form->statusBar()->currentMessage().contains("basewin_bg.bmp"));
        QCOMPARE(f.form->picShowSkin->Picture(), before);

        // Once the files are whole again the picture comes back and the report goes.
        WriteSolidBmp(f.root.PathOf("first/basic_interface/basewin_bg.bmp"), kBasicWidth,
                      kBasicHeight, kBackground);
        WriteSolidBmp(f.root.PathOf("first/basic_interface/sys_mini_on.bmp"), 11, 11, kMinimiseOn);
        ClickNode(*f.form, f.Basic("first"));
        QVERIFY(f.form->statusBar()->currentMessage().isEmpty());
        QCOMPARE(f.form->picShowSkin->Presentations(), shown + 1);
    }
};

QTEST_MAIN(RoutingTest)
#include "RoutingTest.moc"
