// The presenter view as a teacher uses it: opened from the dialog, zoomed, moved, frozen and
// turned with the mouse and the keys, photos taken from it, on the simulated camera.

#include "AnsweredBoxes.h"
#include "COrbit_MainWnd.h"
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_SettingPropSheet.h"
#include "FakeSkypeTransport.h"
#include "OstEventListModel.h"
#include "OstPresenterView.h"
#include "OstSkypeController.h"
#include "OstVideoWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImageReader>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;

void Wheel(QWidget* widget, const QPointF& at, int notches) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

int StoredRotation() {
    return QSettings(u"Ostrel"_qs, u"Orbit"_qs).value(u"Presenter/Rotation"_qs, -1).toInt();
}

} // namespace

class PresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        COrbit_MainWnd::Parts parts;
        parts.skype = &skype;
        ASSERT_TRUE(controller.Initialize(true, parts));
        AnswerEveryBox(controller, messages);
        dialog = controller.MainDialog();
        view = dialog->findChild<OstPresenterView*>(u"presenter"_qs);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->VideoWindow()->CurrentFrame().isNull(); }, kWaitMs))
            << "the camera shows nothing";
    }
    void TearDown() override {
        // The turn is remembered across starts: the next test starts upright.
        QSettings(u"Ostrel"_qs, u"Orbit"_qs).remove(u"Presenter"_qs);
        controller.Close();
    }

    QWidget* Control(int number) const { return dialog->findChild<QWidget*>(QString::number(number)); }

    // Opened by a double-click on the preview, and showing the camera's picture.
    void Enter() {
        QTest::mouseDClick(Control(COstUI_Orbit_MainDlg::IDC_PREVIEW), Qt::LeftButton);
        ASSERT_TRUE(view->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->Placement().Target().isEmpty(); }, kWaitMs));
    }

    // Waits for the zoom animation to end.
    bool Settled() const {
        return QTest::qWaitFor([&] { return qFuzzyCompare(view->Placement().Zoom(), view->TargetZoom()); }, 2000);
    }

    OstEventListModel& Events() const { return *qobject_cast<OstEventListModel*>(dialog->EventList()->model()); }
    int Rows() const { return Events().Count(); }
    // The preview's picture stands upright (taller than wide) or lies.
    bool WaitForShape(bool upright) const {
        return QTest::qWaitFor(
            [&] {
                const QImage frame = dialog->VideoWindow()->CurrentFrame();
                return !frame.isNull() && (frame.height() > frame.width()) == upright;
            },
            kWaitMs);
    }
    EventRecord Top() const {
        EventRecord record;
        Events().GetRecord(0, record);
        return record;
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    COrbit_MainWnd controller;
    COstUI_Orbit_MainDlg* dialog = nullptr;
    OstPresenterView* view = nullptr;
    QStringList messages;
};

TEST_F(PresenterTest, EnteredThreeWaysItFillsTheScreenZoomsToThePointerAndLeavesTheDialogAsItWas) {
    const QRect dialogPlace = dialog->geometry();
    ASSERT_NO_FATAL_FAILURE(Enter());
    EXPECT_TRUE(view->isFullScreen());
    EXPECT_EQ(view->geometry(), dialog->screen()->geometry());
    // The whole picture with its aspect, as large as the screen allows, in the middle.
    const QRectF whole = view->Placement().Target();
    EXPECT_TRUE(qFuzzyCompare(whole.width(), view->width()) || qFuzzyCompare(whole.height(), view->height()));
    EXPECT_NEAR(whole.width() / whole.height(), 4.0 / 3.0, 0.01);
    EXPECT_NEAR(whole.center().x(), view->width() / 2.0, 0.5);
    EXPECT_NEAR(whole.center().y(), view->height() / 2.0, 0.5);

    // Three notches of the wheel: the page point under the pointer stays under it.
    const QPointF pointer(view->width() * 0.3, view->height() * 0.4);
    const QPointF under = view->Placement().ToFrame(pointer);
    Wheel(view, pointer, 3);
    ASSERT_TRUE(Settled());
    EXPECT_NEAR(view->Placement().Zoom(), 1.25 * 1.25 * 1.25, 1e-6);
    const QPointF still = view->Placement().ToFrame(pointer);
    EXPECT_NEAR(still.x(), under.x(), 0.5);
    EXPECT_NEAR(still.y(), under.y(), 0.5);
    // Dragging moves the page with the pointer.
    const QPoint middle = view->rect().center();
    const QPointF before = view->Placement().ToFrame(middle);
    QTest::mousePress(view, Qt::LeftButton, {}, middle);
    QTest::mouseMove(view, middle + QPoint(-90, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, middle + QPoint(-90, 0));
    EXPECT_NEAR(view->Placement().ToFrame(middle).x() - before.x(), 90 / view->Placement().Scale(), 0.5);
    // The keys zoom up to eight times, and 0 shows the whole page again.
    for (int i = 0; i < 15; ++i)
        QTest::keyClick(view, Qt::Key_Plus);
    ASSERT_TRUE(Settled());
    EXPECT_DOUBLE_EQ(view->Placement().Zoom(), 8.0);
    QTest::keyClick(view, Qt::Key_0);
    EXPECT_DOUBLE_EQ(view->Placement().Zoom(), 1.0);
    EXPECT_EQ(view->Placement().Target(), whole);
    // A middle click fits as well.
    Wheel(view, pointer, 2);
    ASSERT_TRUE(Settled());
    QTest::mouseClick(view, Qt::MiddleButton, {}, pointer.toPoint());
    EXPECT_DOUBLE_EQ(view->Placement().Zoom(), 1.0);

    // Esc: the dialog as it was, its preview running.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->geometry(), dialogPlace);
    EXPECT_TRUE(Control(COstUI_Orbit_MainDlg::IDC_PREVIEW)->isVisible());

    // F11 in the dialog, and F11 back. The test platform moves the keys to a window only when
    // it is shown: here they are given to the dialog as a click on it would.
    QApplication::setActiveWindow(dialog);
    QTest::keyClick(dialog, Qt::Key_F11);
    EXPECT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_F11);
    EXPECT_FALSE(view->isVisible());

    // The size menu's last entry, in the current language.
    QTimer::singleShot(100, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QList<QAction*> actions = menu->actions();
        QAction* last = actions.isEmpty() ? nullptr : actions.last();
        // Up from the top wraps to the last entry.
        if (last && last->text() == u"Full Screen"_qs) {
            QTest::keyClick(menu, Qt::Key_Up);
            QTest::keyClick(menu, Qt::Key_Return);
        } else
            menu->close();
    });
    QTest::mouseClick(Control(COstUI_Orbit_MainDlg::IDC_SIZE_MENU), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 2000)) << "the size menu has no Full Screen";
    // A double-click on the picture returns.
    QTest::mouseDClick(view, Qt::LeftButton, {}, middle);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u" | "_qs).toStdString();
}

TEST_F(PresenterTest, SpaceHoldsThePictureStillUntilPressedAgainAndF1ShowsTheKeysOverIt) {
    ASSERT_NO_FATAL_FAILURE(Enter());
    QTest::keyClick(view, Qt::Key_Space);
    ASSERT_TRUE(view->Frozen());
    const QImage held = view->grab().toImage();
    QTest::qWait(1000);
    EXPECT_EQ(view->grab().toImage(), held) << "the frozen picture moved";
    // The keys' help lies over the held picture, and goes again.
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_TRUE(view->HelpShown());
    EXPECT_NE(view->grab().toImage(), held);
    QTest::keyClick(view, Qt::Key_Question);
    EXPECT_EQ(view->grab().toImage(), held);

    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_FALSE(view->Frozen());
    const QImage first = view->grab().toImage();
    QTest::qWait(1000);
    EXPECT_NE(view->grab().toImage(), first) << "the live picture stood still";
}

TEST_F(PresenterTest, AQuarterTurnTurnsThePreviewAndThePhotoAndIsRemembered) {
    ASSERT_NO_FATAL_FAILURE(Enter());
    QTest::keyClick(view, Qt::Key_R);
    EXPECT_EQ(view->Rotation(), 1);
    EXPECT_EQ(StoredRotation(), 1);
    ASSERT_TRUE(WaitForShape(true)) << "the preview did not turn";
    // Enter takes the photo; its row is there when the user returns to the dialog.
    const int rows = Rows();
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows() == rows + 1; }, kWaitMs));
    const EventRecord photo = Top();
    const QSize size = QImageReader(photo.FullPath()).size();
    EXPECT_EQ(size, QSize(480, 640)) << "the sideways page was not saved upright";
    EXPECT_EQ(photo.Resolution, u"480x640"_qs);

    // Shift+R turns back; the next photo is the camera's own shape.
    QTest::keyClick(view, Qt::Key_R, Qt::ShiftModifier);
    EXPECT_EQ(view->Rotation(), 0);
    EXPECT_EQ(StoredRotation(), 0);
    ASSERT_TRUE(WaitForShape(false));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows() == rows + 2; }, kWaitMs));
    EXPECT_EQ(QImageReader(Top().FullPath()).size(), QSize(640, 480));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u" | "_qs).toStdString();
}

TEST_F(PresenterTest, TheCountdownShowsLargeOverTheHeldPictureAndLeavesNothingBehind) {
    // "After 5 Second" on the settings sheet.
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        auto* sheet = qobject_cast<COstUI_Orbit_SettingPropSheet*>(QApplication::activeModalWidget());
        if (!sheet)
            return;
        poll->stop();
        poll->deleteLater();
        if (auto* later = sheet->findChild<QAbstractButton*>(u"2004"_qs))
            QTest::mouseClick(later, Qt::LeftButton);
        if (auto* ok = sheet->findChild<QAbstractButton*>(u"1"_qs))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            sheet->reject();
    });
    poll->start(10);
    QTest::mouseClick(Control(COstUI_Orbit_MainDlg::IDC_SETTING), Qt::LeftButton);

    ASSERT_NO_FATAL_FAILURE(Enter());
    QTest::keyClick(view, Qt::Key_Space);
    const QImage held = view->grab().toImage();
    const int rows = Rows();
    QTest::keyClick(view, Qt::Key_Enter);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->CountdownShown(); }, kWaitMs)) << "no countdown";
    // The digit stands in the middle of the screen, a large share of its height.
    const QImage counting = view->grab().toImage();
    const QRect middle(view->width() / 2 - view->height() / 10, view->height() * 2 / 5, view->height() / 5,
                       view->height() / 5);
    EXPECT_NE(counting.copy(middle), held.copy(middle));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows() == rows + 1; }, 10000)) << "no photo after the countdown";
    EXPECT_FALSE(view->CountdownShown());
    // Once the flash has faded the held picture is as it was.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->grab().toImage() == held; }, 2000));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u" | "_qs).toStdString();
}
