#include "PagesTestSupport.h"

#include "COstUI_Orbit_SettingPropSheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {

using Sheet = COstUI_Orbit_SettingPropSheet;

// Whether every line of a control's text fits its width.
bool TextFits(const QWidget* control, QString* why) {
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->wordWrap() || label->text().isEmpty() || !label->toolTip().isEmpty())
            return label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                     : true;
        const QSize wanted = label->sizeHint();
        *why = u"label needs "_qs + QString::number(wanted.width()) + u'x' +
               QString::number(wanted.height());
        return wanted.width() <= label->width() && wanted.height() <= label->height();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        const QSize wanted = button->sizeHint();
        *why = u"button needs "_qs + QString::number(wanted.width()) + u'x' +
               QString::number(wanted.height()) + u" has "_qs + QString::number(button->width()) +
               u'x' + QString::number(button->height());
        return wanted.width() <= button->width() && wanted.height() <= button->height();
    }
    if (auto* box = qobject_cast<const QGroupBox*>(control)) {
        const int title = box->fontMetrics().horizontalAdvance(box->title());
        *why = u"title needs "_qs + QString::number(title);
        return title + 16 <= box->width();
    }
    if (auto* list = qobject_cast<const QComboBox*>(control)) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        *why = u"items need "_qs + QString::number(widest);
        return widest + 30 <= list->width();
    }
    return true;
}

// The controls of a page: its children and those of its group boxes, in page coordinates.
QList<QWidget*> Controls(QWidget* page) {
    QList<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        QWidget* parent = child->parentWidget();
        if (child->isVisibleTo(page) && (parent == page || qobject_cast<QGroupBox*>(parent)))
            controls.append(child);
    }
    return controls;
}

class PagesLayoutTest : public PagesCameraTest {};

// Translations are longer or shorter than English: in every language every text fits its
// control, no two controls overlap, and everything stays inside the page.
TEST_F(PagesLayoutTest, EveryTextFitsAndNoControlsOverlapInAnyLanguage) {
    OstWebcam* device = Device();
    SettingsRecord record;
    record.PicturesFolder = u"/home/someone/with/a/rather/long/folder/name/Pictures/Orbit/"_qs;
    // One sheet through the three languages: the pages are built in the first and re-fitted
    // to the texts of the others, as on a language change while the sheet is open.
    Sheet sheet;
    sheet.SetSettingsRecord(&record);
    sheet.GeneralPage().SetDeviceNames({u"Orbit Simulated Camera"_qs});
    sheet.RemotePage().SetRemoteValues(u"pw"_qs, 1);
    sheet.RemotePage().SetCameraPresence([] { return false; });
    sheet.SetDevice(device);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    for (auto language : {OstLanguageSelector::Korean, OstLanguageSelector::English,
                          OstLanguageSelector::TraditionalChinese}) {
        OstLanguageSelector::GetInstance().SetLanguage(language);
        sheet.ApplyTexts();
        for (int index = Sheet::kGeneral; index < Sheet::kAbout; ++index) {
            ASSERT_TRUE(sheet.SetActivePage(index));
            QWidget* page = sheet.GetPage(index);
            const QList<QWidget*> controls = Controls(page);
            for (QWidget* control : controls) {
                const QString name = QString::number(language) + u" page "_qs +
                                     QString::number(index) + u" control "_qs +
                                     control->objectName();
                QString why;
                EXPECT_TRUE(TextFits(control, &why)) << qPrintable(name + u": "_qs + why);
                const QRect where(control->mapTo(page, QPoint(0, 0)), control->size());
                EXPECT_TRUE(page->rect().contains(where)) << qPrintable(name);
                if (qobject_cast<QGroupBox*>(control) || control->objectName().isEmpty())
                    continue;
                for (QWidget* other : controls) {
                    if (other == control || qobject_cast<QGroupBox*>(other) ||
                        other->objectName().isEmpty())
                        continue;
                    const QRect there(other->mapTo(page, QPoint(0, 0)), other->size());
                    EXPECT_FALSE(where.intersects(there))
                        << qPrintable(name + u" overlaps "_qs + other->objectName());
                }
            }
        }
    }
    sheet.PressCancel();
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
}

} // namespace
