// The controller with its real windows on a scripted Skype without a bus: what the user sees
// when Skype answers late, or not at all, is decided here in milliseconds.

#include "AnsweredBoxes.h"
#include "COrbit_MainWnd.h"
#include "COstUI_Orbit_ContactListDlg.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_SettingPropSheet.h"
#include "FakeSkypeTransport.h"
#include "OstDXShow.h"
#include "OstLanguageSelector.h"
#include "OstSkypeController.h"
#include "OstTrayCommand.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The Skype of one user, alice, with one friend online, bob. It answers every query at once,
// except who the user is, which the test hands over when it chooses.
QString Answer(const QString& command) {
    if (command == u"SEARCH FRIENDS")
        return u"USERS bob"_qs;
    if (command.startsWith(u"GET USER bob "_qs)) {
        const QString property = command.section(u' ', 3, 3);
        const QString value = property == u"ONLINESTATUS" ? u"ONLINE"_qs : u"Bob"_qs;
        return u"USER bob "_qs + property + u' ' + value;
    }
    if (command == u"GET SKYPEVERSION")
        return u"SKYPEVERSION 4.2.0.155"_qs;
    return {};
}

} // namespace

class ControllerWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        transport->answer = Answer;
        COrbit_MainWnd::Parts parts;
        parts.skype = &skype;
        ASSERT_TRUE(controller.Initialize(true, parts));
        AnswerEveryBox(controller, messages);
    }
    void TearDown() override { controller.Close(); }

    // Attached, online, and the contact list complete: bob is in the friend chooser.
    void AttachWithBob() {
        transport->Accept();
        transport->Deliver(u"USERSTATUS ONLINE"_qs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Friends()->findText(u"Bob"_qs) >= 0; }, 5000));
        Friends()->setCurrentIndex(Friends()->findText(u"Bob"_qs));
    }

    QComboBox* Friends() const {
        return controller.MainDialog()->findChild<QComboBox*>(u"1002"_qs);
    }
    QWidget* Control(const char* number) const {
        return controller.MainDialog()->findChild<QWidget*>(QString::fromLatin1(number));
    }

    QStringList Created() const {
        QStringList created;
        for (const QString& text : transport->Sent())
            if (text.startsWith(u"CREATE APPLICATION"_qs))
                created.append(text);
        return created;
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    COrbit_MainWnd controller;
    QStringList messages;
};

TEST_F(ControllerWindowsTest, ThePhotoApplicationWaitsForTheUsersNameAndSendingMeanwhileSaysWhy) {
    AttachWithBob();
    // The contacts are complete before Skype has said who the user is: it is asked, and no
    // nameless application is made.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return transport->Sent().contains(u"GET CURRENTUSERHANDLE"_qs); }, 5000));
    EXPECT_EQ(Created(), QStringList());

    // Send Photo meanwhile tells the user why nothing goes.
    QTest::mouseClick(Control("1017"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 5000))
        << "Send Photo said nothing";
    EXPECT_EQ(messages.value(0), OstLanguageSelector::GetInstance().GetString(465));

    transport->Deliver(u"CURRENTUSERHANDLE alice"_qs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Created().isEmpty(); }, 5000));
    EXPECT_EQ(Created(), QStringList{u"CREATE APPLICATION alice"_qs});
    // Named again by Skype, the application is not made twice.
    transport->Deliver(u"CURRENTUSERHANDLE alice"_qs);
    QTest::qWait(50);
    EXPECT_EQ(Created().size(), 1);
}

TEST_F(ControllerWindowsTest, AKnownNameMakesTheApplicationWithTheContacts) {
    transport->Accept();
    transport->Deliver(u"CURRENTUSERHANDLE alice"_qs);
    AttachWithBob();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Created().isEmpty(); }, 5000));
    EXPECT_EQ(Created(), QStringList{u"CREATE APPLICATION alice"_qs});
    EXPECT_FALSE(transport->Sent().contains(u"GET CURRENTUSERHANDLE"_qs));
}

TEST_F(ControllerWindowsTest, OneContactIsOneStepOfTheContactWindowAndItGoesWhenComplete) {
    AttachWithBob();
    COstUI_Orbit_ContactListDlg* contacts = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<COstUI_Orbit_ContactListDlg*>(window))
            contacts = dialog;
    ASSERT_NE(contacts, nullptr);
    const auto* progress = contacts->findChild<QProgressBar*>();
    ASSERT_NE(progress, nullptr);
    // The controller asks for 0..0; the window shows it as one step, not as a busy bar.
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 1);
    EXPECT_FALSE(contacts->isVisible()) << "the window goes once the list is complete";
}

TEST_F(ControllerWindowsTest, ASecondStartWithTheDialogShownLeavesThePreviewRunning) {
    const OstWebcamMonitor& webcams = OstWebcamMonitor::GetInstance();
    ASSERT_GT(webcams.DeviceCount(), 0u);
    const OstWebcam* camera = webcams.DeviceAt(0);
    ASSERT_NE(camera->Graph(), nullptr);
    const OstDXShow* graph = camera->Graph();
    ASSERT_EQ(graph->State(), GraphState::Running);
    // What a second start of the program asks of the first.
    controller.trayCommand(TRAYCMD_OPEN_MAIN);
    EXPECT_EQ(camera->Graph(), graph) << "the camera was opened again";
    EXPECT_EQ(graph->State(), GraphState::Running);
    EXPECT_TRUE(controller.MainDialog()->isVisible());
}

TEST_F(ControllerWindowsTest, TheSettingsSheetFollowsTheCameraPulledAndPluggedWhileItIsOpen) {
    OstWebcamMonitor& webcams = OstWebcamMonitor::GetInstance();
    int namesOpen = -1, namesPulled = -1, namesPlugged = -1;
    bool runningAgain = false;
    // Acts once the sheet is up; the Setting button returns when the sheet has closed.
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
        auto* sheet = qobject_cast<COstUI_Orbit_SettingPropSheet*>(QApplication::activeModalWidget());
        if (!sheet)
            return;
        poll->stop();
        poll->deleteLater();
        const auto* devices = sheet->findChild<QComboBox*>(u"2001"_qs);
        if (!devices) {
            sheet->reject();
            return;
        }
        namesOpen = devices->count();
        webcams.UnplugSimulatedCamera();
        (void)QTest::qWaitFor([&] { return devices->count() == 0; }, 5000);
        namesPulled = devices->count();
        webcams.PlugSimulatedCamera();
        (void)QTest::qWaitFor([&] { return devices->count() > 0; }, 5000);
        namesPlugged = devices->count();
        const OstWebcam* camera = webcams.DeviceAt(0);
        runningAgain = camera && camera->Graph() && camera->Graph()->State() == GraphState::Running;
        sheet->reject();
    });
    poll->start(10);
    QTest::mouseClick(Control("1020"), Qt::LeftButton);

    EXPECT_EQ(namesOpen, 1);
    EXPECT_EQ(namesPulled, 0) << "the sheet still offered the camera that was pulled";
    EXPECT_EQ(namesPlugged, 1);
    EXPECT_TRUE(runningAgain) << "the camera plugged in again did not run";
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u" | "_qs).toStdString();
    // The sheet's pages were handed the new camera: closing left nothing dangling.
    ASSERT_GT(webcams.DeviceCount(), 0u);
    EXPECT_EQ(webcams.DeviceAt(0)->Graph()->State(), GraphState::Running);
}
