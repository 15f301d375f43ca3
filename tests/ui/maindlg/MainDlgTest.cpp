#include "CBitmapSlider.h"
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_RenameDlg.h"
#include "COstUI_Picture.h"
#include "COstUI_StaticPicture.h"
#include "OstEventListModel.h"
#include "OstFriendChooser.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstPhotoFiles.h"
#include "OstUser.h"
#include "OstVideoWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using Dlg = COstUI_Orbit_MainDlg;

template <typename T = QWidget> T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QString::number(id));
}

QString PercentText(int percent) {
    return QString::number(percent) + u"%"_qs;
}

// Answers the next message box with `button` once it is up.
void AnswerNextBox(QMessageBox::StandardButton button) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            box->button(button)->click();
        }
    });
    timer->start(10);
}

} // namespace

class MainDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(photos.isValid());
        dialog = std::make_unique<Dlg>(events);
        commands = std::make_unique<QSignalSpy>(dialog.get(), &Dlg::uiCommand);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        QCoreApplication::processEvents();
        commands->clear(); // the first layout's video refit
        list = dialog->EventList();
    }

    // Codes sent since the last call, and their arguments.
    QList<std::pair<int, QVariant>> Sent() {
        QList<std::pair<int, QVariant>> sent;
        for (const QList<QVariant>& call : *commands)
            sent.append({call.at(0).toInt(), call.at(1)});
        commands->clear();
        return sent;
    }

    EventRecord Photo(const QString& name, bool writeFile = true) {
        EventRecord record;
        record.EventFolder = photos.path() + u"/"_qs;
        record.EventName = name;
        record.Resolution = u"640x480"_qs;
        record.PictureSize = u"1.00 KB"_qs;
        if (writeFile) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            image.save(record.FullPath(), "JPEG");
        }
        return record;
    }

    void TypeZoom(const QString& text) {
        auto* edit = Control<QLineEdit>(dialog.get(), Dlg::IDC_ZOOM_EDIT);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // The Delete key on the list; the dialog is made active first, as a closed message box
    // may have left no window active.
    void PressDelete() {
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::keyClick(list, Qt::Key_Delete);
    }

    QPoint RowPoint(int row) const { return list->CellRect(row, 2).center(); }

    QTemporaryDir photos;
    OstEventListModel events;
    std::unique_ptr<Dlg> dialog;
    std::unique_ptr<QSignalSpy> commands;
    COstUI_Orbit_EventListCtrl* list = nullptr;
};

TEST_F(MainDlgTest, EverySizeAndListStatePlacesTheSkin) {
    for (int size : OstMainDlgLayout::Sizes()) {
        const OstMainDlgLayout& l = *OstMainDlgLayout::ForSize(size);
        for (bool shown : {false, true}) {
            if (dialog->ListShown() != shown)
                Control<QAbstractButton>(dialog.get(), Dlg::IDC_LIST_TOGGLE)->click();
            dialog->ApplyPreviewSize(size);
            SCOPED_TRACE(testing::Message() << size << (shown ? " shown" : " hidden"));
            const int picture = shown ? l.backgroundShown : l.backgroundHidden;
            EXPECT_EQ(dialog->BackgroundId(), picture);
            COstUI_Picture background;
            ASSERT_TRUE(background.LoadFromResource(picture, u"JPG"_qs));
            EXPECT_EQ(dialog->size(), background.Picture().size());
            EXPECT_EQ(dialog->size(), shown ? l.backgroundShownSize : l.backgroundHiddenSize);
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_PREVIEW)->geometry(), l.preview);
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_PICTURE)->geometry(), l.picture);
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_FRIEND_COMBO)->geometry(), l.friendCombo);
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_TAKE_PHOTO)->pos(), l.takePhoto.topLeft());
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_CLOSE)->pos(), l.close.topLeft());
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_SETTING)->pos(),
                      (shown ? l.settingShown : l.settingHidden).topLeft());
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_LIST_TOGGLE)->pos(),
                      (shown ? l.listToggleShown : l.listToggleHidden).topLeft());
            EXPECT_EQ(list->isVisible(), shown);
            EXPECT_EQ(Control(dialog.get(), Dlg::IDC_INTRO)->isVisible(), shown);
            if (shown) {
                EXPECT_EQ(list->geometry(), l.eventList);
                EXPECT_EQ(list->columnWidth(2), l.columnWidths[2]);
            }
            // "Location:" and the folder share the row's fixed width.
            const QRect location = Control(dialog.get(), Dlg::IDC_LOCATION)->geometry();
            const QRect folder = Control(dialog.get(), Dlg::IDC_FOLDER)->geometry();
            EXPECT_EQ(location.left(), 44);
            EXPECT_EQ(folder.left(), location.right() + 1);
            EXPECT_EQ(folder.right() + 1 - 44, l.locationRow.width());
            // The camera error text: a seventh in from each side, from the middle down.
            const QRect error = Control(dialog.get(), Dlg::IDC_CAMERA_ERROR)->geometry();
            const int left = l.preview.left() + l.preview.width() / 7;
            EXPECT_EQ(error.left(), left);
            EXPECT_EQ(error.right() + 1, l.preview.left() + l.preview.width() -
                                             (l.preview.left() + l.preview.width() - left) / 7);
            EXPECT_EQ(error.top(), l.preview.top() + l.preview.height() / 2);
        }
    }
    // The zoom edit's frame is painted into the background, one pixel outside the edit.
    const QImage skin = dialog->Background().toImage();
    const QRect edit = OstMainDlgLayout::ZoomEdit.adjusted(-1, -1, 1, 1);
    EXPECT_EQ(skin.pixelColor(edit.topLeft()), QColor(0x8C, 0x8C, 0x8C));
    EXPECT_EQ(skin.pixelColor(edit.bottomRight()), QColor(0x8C, 0x8C, 0x8C));
}

TEST_F(MainDlgTest, ListToggleKeepsTheWindowWhereASizeChangeRecentres) {
    dialog->move(17, 23);
    const int before = dialog->BackgroundId();
    auto* toggle = Control<QAbstractButton>(dialog.get(), Dlg::IDC_LIST_TOGGLE);
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_FALSE(dialog->ListShown());
    EXPECT_NE(dialog->BackgroundId(), before);
    EXPECT_EQ(dialog->pos(), QPoint(17, 23));
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_EQ(dialog->BackgroundId(), before);
    EXPECT_EQ(dialog->pos(), QPoint(17, 23));
    Sent();

    // The same size again only runs the list part: nothing moves, no video refit.
    dialog->ApplyPreviewSize(dialog->PreviewSize());
    QCoreApplication::processEvents();
    EXPECT_TRUE(Sent().isEmpty());

    dialog->ApplyPreviewSize(OstMainDlgLayout::Size240);
    EXPECT_NE(dialog->pos(), QPoint(17, 23));
    // The video refit is queued until the layout is done.
    EXPECT_TRUE(Sent().isEmpty());
    QCoreApplication::processEvents();
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_UPDATE_VIDEO_POSITION);
    QRect client;
    ASSERT_TRUE(dialog->VideoWindow()->GetClientRect(client));
    EXPECT_EQ(client.size(), QSize(239, 179));
}

TEST_F(MainDlgTest, ZoomFromTheEditAndTheSlider) {
    auto* edit = Control<QLineEdit>(dialog.get(), Dlg::IDC_ZOOM_EDIT);
    auto* slider = Control<CBitmapSlider>(dialog.get(), Dlg::IDC_ZOOM_SLIDER);
    const struct {
        QString typed;
        int zoom;
        QString shown;
    } cases[] = {
        {u"50"_qs, 100, u"100%"_qs},          {u"250%"_qs, 200, u"200%"_qs},
        {u"150"_qs, 150, u"150%"_qs},         {u"abc"_qs, 100, u"100%"_qs},
        {u"99999999999"_qs, 200, u"200%"_qs},
    };
    for (const auto& c : cases) {
        TypeZoom(c.typed);
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(edit->text(), c.shown);
        EXPECT_EQ(slider->GetPos(), 300 - c.zoom);
        EXPECT_TRUE(list->hasFocus());
        const auto sent = Sent();
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].first, UICMD_SET_ZOOM);
        EXPECT_EQ(sent[0].second.toInt(), c.zoom);
    }

    // Dragging rounds down to tens: find a point of the track whose zoom is not a ten.
    int y = 0, zoom = 0;
    for (y = 0; y < slider->height(); ++y) {
        zoom = 300 - slider->PixelToValue(y);
        if (zoom % 10 != 0 && zoom > 100 && zoom < 200)
            break;
    }
    ASSERT_LT(y, slider->height());
    const QPoint thumb(slider->width() / 2, slider->ValueToPixel(slider->GetPos()));
    QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(slider, QPoint(thumb.x(), y));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(thumb.x(), y));
    EXPECT_EQ(edit->text(), PercentText(zoom / 10 * 10));
    EXPECT_EQ(slider->GetPos(), 300 - zoom / 10 * 10);
    EXPECT_TRUE(list->hasFocus());
    auto sent = Sent();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.back(), std::make_pair(int(UICMD_SET_ZOOM), QVariant(zoom / 10 * 10)));

    // Disabled: the edit refuses typing and Enter sends nothing; the reset button is off.
    dialog->SetZoom(130, true);
    EXPECT_EQ(edit->text(), u"130%"_qs);
    EXPECT_EQ(slider->GetPos(), 170);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(Control(dialog.get(), Dlg::IDC_ZOOM_RESET)->isEnabled());
    EXPECT_FALSE(edit->toolTip().isEmpty());
    TypeZoom(u"180"_qs);
    EXPECT_EQ(edit->text(), u"130%"_qs);
    EXPECT_TRUE(Sent().isEmpty());
    dialog->SetZoom(130, false);
    Control<QAbstractButton>(dialog.get(), Dlg::IDC_ZOOM_RESET)->click();
    EXPECT_EQ(edit->text(), u"100%"_qs);
    sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0], std::make_pair(int(UICMD_SET_ZOOM), QVariant(100)));
}

TEST_F(MainDlgTest, TakePhotoAsksOnceAndFollowsTheCamera) {
    auto* take = Control<QAbstractButton>(dialog.get(), Dlg::IDC_TAKE_PHOTO);
    dialog->SetCameraState(true, 0);
    QTest::mouseClick(take, Qt::LeftButton, {}, take->rect().center());
    dialog->OnTakePhoto(); // the snapshot key while the first photo is under way
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_TAKE_PHOTO);
    EXPECT_FALSE(take->isEnabled());
    dialog->EnableTakePhoto();
    EXPECT_TRUE(take->isEnabled());

    dialog->SetCameraState(false, 350);
    auto* error = Control<QLabel>(dialog.get(), Dlg::IDC_CAMERA_ERROR);
    EXPECT_TRUE(error->isVisible());
    EXPECT_FALSE(dialog->VideoWindow()->isVisible());
    EXPECT_EQ(error->text(), OstLanguageSelector::GetInstance().GetString(350));
    EXPECT_FALSE(take->isEnabled());
    EXPECT_FALSE(Control(dialog.get(), Dlg::IDC_MIRROR)->isEnabled());
    EXPECT_FALSE(Control(dialog.get(), Dlg::IDC_ZOOM_RESET)->isEnabled());

    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::TraditionalChinese);
    dialog->ApplyTexts();
    EXPECT_EQ(error->text(), OstLanguageSelector::GetInstance().GetString(350));
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    dialog->ApplyTexts();

    dialog->SetCameraState(true, 0);
    EXPECT_FALSE(error->isVisible());
    EXPECT_TRUE(dialog->VideoWindow()->isVisible());
    EXPECT_TRUE(take->isEnabled());
}

TEST_F(MainDlgTest, EventDetailsAndAMissingPicture) {
    auto* view = Control(dialog.get(), Dlg::IDC_VIEW_PHOTO);
    auto* picture = Control<QLabel>(dialog.get(), Dlg::IDC_PICTURE);
    auto* deleted = Control(dialog.get(), Dlg::IDC_DELETED_TEXT);
    EventRecord sent = Photo(u"IMG-0001.jpg"_qs);
    sent.EventType = EventRecord::Sent;
    sent.FriendID = u"Ann"_qs;
    dialog->ShowEventDetails(sent);
    EXPECT_TRUE(view->isEnabled());
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(static_cast<COstUI_StaticPicture*>(picture)->ShownSize(), QSize(64, 48));
    EXPECT_EQ(Control<QLabel>(dialog.get(), Dlg::IDC_FILE_NAME)->text(), u"IMG-0001.jpg"_qs);
    EXPECT_EQ(Control<QLabel>(dialog.get(), Dlg::IDC_FROM_TO)->text(), u"To  Ann"_qs);
    EXPECT_EQ(dialog->FolderText(), photos.path());

    // A received picture still arriving has no file yet: only View Photo goes.
    EventRecord arriving = Photo(u"IN-1.jpg"_qs, false);
    arriving.EventType = EventRecord::Received;
    arriving.Status = EventRecord::Transferring;
    arriving.FriendID = u"Bo"_qs;
    dialog->ShowEventDetails(arriving);
    EXPECT_FALSE(view->isEnabled());
    EXPECT_TRUE(picture->isVisible());
    EXPECT_FALSE(deleted->isVisible());
    EXPECT_EQ(Control<QLabel>(dialog.get(), Dlg::IDC_FROM_TO)->text(), u"From  Bo"_qs);

    // Any other missing picture is reported as deleted.
    dialog->ShowEventDetails(Photo(u"gone.jpg"_qs, false));
    EXPECT_FALSE(picture->isVisible());
    EXPECT_TRUE(deleted->isVisible());
    EXPECT_FALSE(view->isEnabled());
}

TEST_F(MainDlgTest, FriendsKeepTheirHandlesOutOfSight) {
    OstUser ann(u"ann.lee"_qs), bo(u"bo"_qs);
    std::vector<OstUser*> contacts{&ann, &bo};
    dialog->Friends().FillFriendList(contacts, u"bo"_qs);
    auto* combo = Control<QComboBox>(dialog.get(), Dlg::IDC_FRIEND_COMBO);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), OstLanguageSelector::GetInstance().GetString(322));
    EXPECT_EQ(combo->currentText(), u"bo"_qs);
    EXPECT_EQ(dialog->Friends().SelectedFriendHandle(), u"bo"_qs);
    Control<QAbstractButton>(dialog.get(), Dlg::IDC_SEND_SOFTWARE)->click();
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0], std::make_pair(int(UICMD_SEND_SOFTWARE), QVariant(u"bo"_qs)));

    // A handle nobody has chooses "Select A Friend", whose handle is empty.
    dialog->Friends().FillFriendList(contacts, u"carol"_qs);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(dialog->Friends().SelectedFriendHandle(), QString());

    // Dropping the list down asks for fresh contacts; with none, the user is told why.
    dialog->Friends().FillFriendList({}, QString());
    AnswerNextBox(QMessageBox::Ok);
    QTest::mouseClick(combo, Qt::LeftButton, {}, combo->rect().center());
    sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_REFRESH_FRIENDS);
}

TEST_F(MainDlgTest, DeletingRowsSelectsTheNextAndAnEmptyListIsReported) {
    QList<EventRecord> records;
    for (int i = 0; i < 6; ++i)
        records.append(Photo(QStringLiteral("IMG-%1.jpg").arg(i)));
    events.Load(records);
    list->SelectOnly(2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(5));
    ASSERT_EQ(list->GetSelectedRows(), (QList<int>{2, 5}));

    AnswerNextBox(QMessageBox::Yes);
    PressDelete();
    ASSERT_EQ(events.Count(), 4);
    EXPECT_EQ(list->GetSelectedRows(), QList<int>{2});
    EXPECT_EQ(Control<QLabel>(dialog.get(), Dlg::IDC_FILE_NAME)->text(), u"IMG-3.jpg"_qs);
    EXPECT_FALSE(QFile::exists(records[2].FullPath()));
    EXPECT_TRUE(QFile::exists(records[3].FullPath()));

    // No, and nothing goes.
    AnswerNextBox(QMessageBox::No);
    PressDelete();
    EXPECT_EQ(events.Count(), 4);
    EXPECT_TRUE(Sent().isEmpty());

    events.Clear();
    events.Load({records[0]});
    list->SelectOnly(0);
    dialog->ShowFirstEvent();
    AnswerNextBox(QMessageBox::Yes);
    PressDelete();
    EXPECT_EQ(events.Count(), 0);
    EXPECT_TRUE(Control<QLabel>(dialog.get(), Dlg::IDC_FILE_NAME)->text().isEmpty());
    EXPECT_TRUE(Control<QLabel>(dialog.get(), Dlg::IDC_FROM_TO)->text().isEmpty());
    EXPECT_FALSE(Control(dialog.get(), Dlg::IDC_VIEW_PHOTO)->isEnabled());
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_EVENT_LIST_EMPTIED);
}

TEST_F(MainDlgTest, KeysAndCtrlClicksShowTheRowThatStaysSelected) {
    QList<EventRecord> records;
    for (int i = 0; i < 4; ++i)
        records.append(Photo(QStringLiteral("P%1.jpg").arg(i)));
    events.Load(records);
    auto* name = Control<QLabel>(dialog.get(), Dlg::IDC_FILE_NAME);
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowPoint(0));
    EXPECT_EQ(name->text(), u"P0.jpg"_qs);
    QTest::keyClick(list, Qt::Key_Up); // already at the top
    EXPECT_EQ(name->text(), u"P0.jpg"_qs);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(name->text(), u"P1.jpg"_qs);
    EXPECT_EQ(list->GetSelectedRows(), QList<int>{1});

    // Rows 1 and 3 selected; Ctrl+click on row 1 takes it out: row 3 is what stays shown.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(3));
    EXPECT_EQ(name->text(), u"P3.jpg"_qs);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(1));
    EXPECT_EQ(name->text(), u"P3.jpg"_qs);
    EXPECT_EQ(list->GetSelectedRows(), QList<int>{3});

    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->GetSelectedRows(), (QList<int>{0, 1, 2, 3}));
}

TEST_F(MainDlgTest, ListMenuOnlyOverASelection) {
    QList<EventRecord> records{Photo(u"a.jpg"_qs), Photo(u"b.jpg"_qs)};
    events.Load(records);
    list->SelectOnly(1);
    list->clearSelection();
    ASSERT_TRUE(list->GetSelectedRows().isEmpty());

    QContextMenuEvent click(QContextMenuEvent::Mouse, RowPoint(0),
                            list->viewport()->mapToGlobal(RowPoint(0)));
    QApplication::sendEvent(list->viewport(), &click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(list->GetSelectedRows(), QList<int>{1}); // the mark is selected again

    // With a selection the menu comes up; without a picture shown, only Delete works.
    QStringList enabled;
    QTimer::singleShot(50, [&enabled] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                if (action->isEnabled())
                    enabled.append(action->text());
            menu->close();
        }
    });
    QApplication::sendEvent(list->viewport(), &click);
    EXPECT_EQ(enabled, QStringList{OstLanguageSelector::GetInstance().GetString(333)});
}

TEST_F(MainDlgTest, RenameFromTheListMenuKeepsTheJpgAndFollowsTheFileWhileRowsArrive) {
    const EventRecord photo = Photo(u"IMG-0001.jpg"_qs);
    const EventRecord arriving = Photo(u"IMG-0002.jpg"_qs);
    events.Load({photo});
    list->SelectOnly(0);
    dialog->ShowFirstEvent();

    // Choose "Rename" in the menu, then type the new name into the rename dialog; a photo
    // arrives on top while the dialog is open.
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (action->text() == OstLanguageSelector::GetInstance().GetString(332))
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, arriving] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* rename = qobject_cast<COstUI_Orbit_RenameDlg*>(window);
            if (!rename || !rename->isVisible())
                continue;
            timer->deleteLater();
            events.AddEvent(arriving);
            auto* edit = rename->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, u"x"_qs);
            QTest::keyClick(edit, Qt::Key_Return);
            return;
        }
    });
    timer->start(10);
    QContextMenuEvent click(QContextMenuEvent::Mouse, RowPoint(0),
                            list->viewport()->mapToGlobal(RowPoint(0)));
    QApplication::sendEvent(list->viewport(), &click);
    QTRY_VERIFY(QFile::exists(photos.filePath(u"x.jpg"_qs)));
    EXPECT_FALSE(QFile::exists(photo.FullPath()));
    EXPECT_TRUE(QFile::exists(arriving.FullPath())) << "the photo that arrived is not the one renamed";
    EventRecord renamed, other;
    ASSERT_TRUE(events.GetRecord(1, renamed));
    EXPECT_EQ(renamed.EventName, u"x.jpg"_qs);
    ASSERT_TRUE(events.GetRecord(0, other));
    EXPECT_EQ(other.EventName, u"IMG-0002.jpg"_qs);
    EXPECT_EQ(Control<QLabel>(dialog.get(), Dlg::IDC_FILE_NAME)->text(), u"x.jpg"_qs);
    // View Photo now opens the file under its new name.
    EXPECT_EQ(Control<COstUI_StaticPicture>(dialog.get(), Dlg::IDC_PICTURE)->Path(),
              photos.filePath(u"x.jpg"_qs));
}

// Runs "Save As" from the list menu and answers the file dialog with `target`.
void SaveAsThroughTheMenu(COstUI_Orbit_EventListCtrl* list, const QString& target) {
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (action->text() == OstLanguageSelector::GetInstance().GetString(331))
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, target] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* files = qobject_cast<QFileDialog*>(window);
            if (!files || !files->isVisible())
                continue;
            timer->deleteLater();
            // The user has already agreed to replace an existing file.
            files->setOption(QFileDialog::DontConfirmOverwrite);
            files->selectFile(target);
            QMetaObject::invokeMethod(files, "accept");
            return;
        }
    });
    timer->start(10);
    const QPoint row = list->CellRect(0, 2).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
    QApplication::sendEvent(list->viewport(), &click);
}

TEST_F(MainDlgTest, SaveAsCopiesAndSaysSoWhenItCannot) {
    const EventRecord photo = Photo(u"IMG-0002.jpg"_qs);
    events.Load({photo});
    list->SelectOnly(0);
    dialog->ShowFirstEvent();
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(u"copy.jpg"_qs);
    SaveAsThroughTheMenu(list, copy);
    QTRY_VERIFY(QFile::exists(copy));
    QFile original(photo.FullPath()), copied(copy);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), copied.readAll());
    EXPECT_FALSE(QFile::exists(copy + u".part"_qs));

    // Over a file the user has: it is replaced whole, and the user's own "<target>.part" is
    // never touched.
    {
        QFile old(copy), part(copy + u".part"_qs);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && part.open(QIODevice::WriteOnly));
        old.write("the user's older file");
        part.write("the user's own part file");
    }
    SaveAsThroughTheMenu(list, copy);
    QTRY_COMPARE(QFileInfo(copy).size(), QFileInfo(photo.FullPath()).size());
    QFile part(copy + u".part"_qs), replaced(copy);
    ASSERT_TRUE(part.open(QIODevice::ReadOnly) && replaced.open(QIODevice::ReadOnly));
    EXPECT_EQ(part.readAll(), QByteArray("the user's own part file"));
    original.seek(0);
    EXPECT_EQ(replaced.readAll(), original.readAll());
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "nothing left behind";

    // A place nothing can be written to: the user is told, nothing is left behind.
    bool told = false;
    auto* watch = new QTimer;
    QObject::connect(watch, &QTimer::timeout, watch, [watch, &told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text() == OstLanguageSelector::GetInstance().GetString(472);
            watch->deleteLater();
            box->accept();
        }
    });
    watch->start(10);
    SaveAsThroughTheMenu(list, u"/proc/orbit-copy.jpg"_qs);
    QTRY_VERIFY(told);
    EXPECT_FALSE(QFile::exists(u"/proc/orbit-copy.jpg"_qs));
}

TEST_F(MainDlgTest, PressOnTheSurfaceMovesTheWindowAndOnAControlDoesNot) {
    dialog->move(100, 100);
    // The offscreen platform cannot move windows itself, so the dialog follows the pointer.
    const QPoint surface(20, 40);
    QTest::mousePress(dialog.get(), Qt::LeftButton, {}, surface);
    QTest::mouseMove(dialog.get(), surface + QPoint(30, 20));
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, surface + QPoint(30, 20));
    EXPECT_EQ(dialog->pos(), QPoint(130, 120));

    auto* setting = Control<QAbstractButton>(dialog.get(), Dlg::IDC_SETTING);
    const QPoint on = setting->geometry().center();
    QTest::mousePress(dialog->childAt(on), Qt::LeftButton, {}, setting->rect().center());
    QTest::mouseMove(dialog.get(), on + QPoint(30, 20));
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, on + QPoint(30, 20));
    EXPECT_EQ(dialog->pos(), QPoint(130, 120));
}

TEST_F(MainDlgTest, CloseOnlyHidesAndTellsTheController) {
    Control<QAbstractButton>(dialog.get(), Dlg::IDC_CLOSE)->click();
    EXPECT_FALSE(dialog->isVisible());
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_DIALOG_CLOSED);

    dialog->show();
    // The window system's Close is refused: the dialog hides and the program lives on.
    EXPECT_FALSE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    sent = Sent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].first, UICMD_DIALOG_CLOSED);

    // Enter and Esc never end it.
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(MainDlgTest, HelpPagesExistInBothLanguages) {
    for (const QString& folder : {u"eng"_qs, u"cht"_qs}) {
        const QString page = OstPhotoFiles::FindHelpPage(folder);
        ASSERT_FALSE(page.isEmpty()) << folder.toStdString();
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(u"Orbit"_qs));
        EXPECT_TRUE(html.contains(u"<html"_qs));
    }
    EXPECT_TRUE(OstPhotoFiles::FindHelpPage(u"kor"_qs).isEmpty());
}

TEST(OstVideoWidgetTest, FramesFromAStreamingThreadArePaintedIntoTheVideoPosition) {
    OstVideoWidget widget;
    widget.resize(320, 240);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QRect client;
    ASSERT_TRUE(widget.GetClientRect(client));
    EXPECT_EQ(client, QRect(0, 0, 320, 240));

    // Left half red, right half blue, at the camera's size: the widget scales it down.
    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(Qt::blue);
    for (int y = 0; y < frame.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(frame.scanLine(y)), 320, qRgb(255, 0, 0));
    const quint64 painted = widget.FramesPainted();
    std::thread streaming([&] {
        for (int i = 0; i < 5; ++i)
            widget.PresentFrame(frame, client);
        QRect elsewhere;
        widget.GetClientRect(elsewhere); // from a thread that is not the widget's
        EXPECT_EQ(elsewhere, client);
    });
    streaming.join();
    QTRY_VERIFY(widget.FramesPainted() > painted);
    // Five frames queued at once are one repaint, not five.
    QTest::qWait(50);
    EXPECT_LE(widget.FramesPainted() - painted, 2u);
    const QImage shown = widget.grab().toImage();
    EXPECT_EQ(shown.pixelColor(40, 120), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(280, 120), QColor(Qt::blue));

    // The graph lets the window go: nothing is kept.
    widget.PresentFrame(QImage(), QRect());
    EXPECT_TRUE(widget.CurrentFrame().isNull());
}
