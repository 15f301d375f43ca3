#include "COstUI_Orbit_GeneralPage.h"

#include "OstDesktopSettings.h"
#include "OstDialogUnits.h"
#include "OstPageControls.h"
#include "OstPageText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using OstPageControls::Make;

namespace {

enum Text {
    kTitle = 356,
    kSelectDevice = 357,
    kVideoDevice = 358,
    kAudioSetting = 306,
    kPhotoMode = 359,
    kDirect = 360,
    kAfter5Seconds = 361,
    kFileName = 362,
    kDateSerial = 363,
    kCustomize = 364,
    kCustomNameField = 512,
    kFileLocation = 365,
    kChange = 366,
    kResolution = 367,
    kFrameRate = 368,
    kFramesPerSecond = 369,
    kDefault = 370,
    kSelectPath = 482,
    kShareCamera = 495,
    kCannotShare = 496,
};

// The default items carry the word "(Default)" of the current language after the value.
constexpr int kDefaultResolutionItem = 1;
constexpr int kDefaultRateItem = 0;
const QString kDefaultResolution = u"640x480"_qs;
const QString kDefaultRate = u"30"_qs;

QStringList ResolutionItems(const QString& defaultWord) {
    return {u"800x600"_qs, kDefaultResolution + u' ' + defaultWord, u"320x240"_qs, u"176x144"_qs,
            u"160x120"_qs};
}

QStringList RateItems(const QString& defaultWord) {
    return {kDefaultRate + u' ' + defaultWord, u"15"_qs, u"10"_qs, u"5"_qs};
}

// The first item that begins with `value` (case-insensitive), else `fallback`.
int ItemFor(const QComboBox* list, const QString& value, int fallback) {
    if (value.isEmpty())
        return fallback;
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).startsWith(value, Qt::CaseInsensitive))
            return i;
    return fallback;
}

QString DefaultFolderChooser(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

} // namespace

const QString& COstUI_Orbit_GeneralPage::ForbiddenNameCharacters() {
    static const QString characters = u"\\/\"?|:<>*"_qs;
    return characters;
}

COstUI_Orbit_GeneralPage::COstUI_Orbit_GeneralPage(QWidget* parent)
    : COstUI_PropertyPage(kTitle, OstDialogUnits(QApplication::font()).Size(286, 306), parent),
      folderChooser_(DefaultFolderChooser) {}

COstUI_Orbit_GeneralPage::~COstUI_Orbit_GeneralPage() = default;

bool COstUI_Orbit_GeneralPage::OnInitDialog() {
    const OstDialogUnits du(font());
    auto place = [&](QWidget* w, int l, int t, int wd, int h) {
        w->setGeometry(du.Rect(l, t, wd, h));
    };
    // Each pair of radio buttons lives in its group box, which makes it a group of its own.
    auto inGroup = [&](QWidget* w, QWidget* group, int l, int t, int wd, int h) {
        w->setGeometry(du.Rect(l, t, wd, h).translated(-group->pos()));
    };

    deviceGroup_ = Make<QGroupBox>(this, 2000);
    place(deviceGroup_, 7, 7, 272, 54);
    deviceLabel_ = Make<QLabel>(this, 2019);
    place(deviceLabel_, 16, 22, 62, 10);
    devices_ = Make<QComboBox>(this, 2001);
    place(devices_, 80, 20, 190, 14);
    deviceLabel_->setBuddy(devices_);
    audio_ = Make<QPushButton>(this, 2017);
    place(audio_, 150, 39, 120, 15);
    hidden_ = Make<QLabel>(this, 2018);
    place(hidden_, 16, 41, 60, 10);
    hidden_->hide();

    modeGroup_ = Make<QGroupBox>(this, 2002);
    place(modeGroup_, 7, 66, 272, 30);
    direct_ = Make<QRadioButton>(modeGroup_, 2003);
    inGroup(direct_, modeGroup_, 16, 79, 120, 10);
    delayed_ = Make<QRadioButton>(modeGroup_, 2004);
    inGroup(delayed_, modeGroup_, 146, 79, 126, 10);

    nameGroup_ = Make<QGroupBox>(this, 2005);
    place(nameGroup_, 7, 101, 272, 48);
    dateSerial_ = Make<QRadioButton>(nameGroup_, 2006);
    inGroup(dateSerial_, nameGroup_, 16, 114, 250, 10);
    custom_ = Make<QRadioButton>(nameGroup_, 2007);
    inGroup(custom_, nameGroup_, 16, 131, 62, 10);
    customName_ = Make<QLineEdit>(this, 2008);
    place(customName_, 80, 129, 190, 13);

    folderGroup_ = Make<QGroupBox>(this, 2009);
    place(folderGroup_, 7, 154, 272, 48);
    folder_ = new OstPagePathLabel(this);
    folder_->setObjectName(u"2010"_qs);
    place(folder_, 16, 167, 254, 12);
    change_ = Make<QPushButton>(this, 2011);
    place(change_, 210, 183, 60, 15);

    resolutionGroup_ = Make<QGroupBox>(this, 2012);
    place(resolutionGroup_, 7, 207, 132, 36);
    // The combo boxes sit in their group boxes, whose titles then name them to screen readers.
    resolutions_ = Make<QComboBox>(resolutionGroup_, 2013);
    inGroup(resolutions_, resolutionGroup_, 16, 221, 114, 14);
    rateGroup_ = Make<QGroupBox>(this, 2014);
    place(rateGroup_, 147, 207, 132, 36);
    rates_ = Make<QComboBox>(rateGroup_, 2015);
    inGroup(rates_, rateGroup_, 156, 221, 62, 14);
    rateUnit_ = Make<QLabel>(this, 2016);
    place(rateUnit_, 222, 223, 54, 10);

    share_ = Make<QCheckBox>(this, 2020);
    place(share_, 10, 252, 266, 10);
    shareWhyNot_ = Make<QLabel>(this, 2021);
    place(shareWhyNot_, 22, 265, 254, 20);
    shareWhyNot_->setWordWrap(true);
    shareWhyNot_->setEnabled(false);

    // A stored name is filtered like a typed one.
    connect(customName_, &QLineEdit::textChanged, this,
            &COstUI_Orbit_GeneralPage::OnCustomNameChanged);
    filling_ = true;
    FillDeviceList();
    const SettingsRecord record = record_ ? *record_ : SettingsRecord();
    (record.SnapshotMode == 0 ? direct_ : delayed_)->setChecked(true);
    (record.FileNameMode == 0 ? dateSerial_ : custom_)->setChecked(true);
    customName_->setText(record.CustomDefineName);
    folder_->SetPath(record.PicturesFolder);
    const QString word = OstPageText::Load(kDefault);
    resolutions_->addItems(ResolutionItems(word));
    resolutions_->setCurrentIndex(ItemFor(resolutions_, record.Resolution, kDefaultResolutionItem));
    rates_->addItems(RateItems(word));
    rates_->setCurrentIndex(ItemFor(rates_, record.Frame, kDefaultRateItem));
    share_->setChecked(shareWanted_ && shareAvailable_);
    share_->setEnabled(shareAvailable_);
    shareWhyNot_->setVisible(!shareAvailable_);
    filling_ = false;

    for (QRadioButton* radio : {direct_, delayed_, dateSerial_, custom_})
        connect(radio, &QRadioButton::clicked, this, &COstUI_Orbit_GeneralPage::Changed);
    for (QComboBox* list : {devices_, resolutions_, rates_})
        connect(list, &QComboBox::activated, this, &COstUI_Orbit_GeneralPage::Changed);
    connect(share_, &QCheckBox::clicked, this, &COstUI_Orbit_GeneralPage::Changed);
    connect(change_, &QPushButton::clicked, this, &COstUI_Orbit_GeneralPage::OnChangeFolder);
    connect(audio_, &QPushButton::clicked, this, &COstUI_Orbit_GeneralPage::OnAudioSettings);

    OstPageControls::ShowNewControls(this);
    ApplyTexts();
    return true;
}

void COstUI_Orbit_GeneralPage::SetSharing(bool wanted, bool available) {
    shareWanted_ = wanted;
    shareAvailable_ = available;
}

void COstUI_Orbit_GeneralPage::SetDeviceNames(const QStringList& names) {
    deviceNames_ = names;
    if (IsCreated() && devices_ != nullptr) {
        const bool filling = filling_;
        filling_ = true;
        FillDeviceList();
        filling_ = filling;
    }
}

void COstUI_Orbit_GeneralPage::FillDeviceList() {
    devices_->clear();
    devices_->addItems(deviceNames_);
    if (!deviceNames_.isEmpty())
        devices_->setCurrentIndex(0);
    const bool any = !deviceNames_.isEmpty();
    resolutions_->setEnabled(any);
    rates_->setEnabled(any);
}

void COstUI_Orbit_GeneralPage::ApplyTexts() {
    if (!IsCreated())
        return;
    using OstPageText::Load;
    deviceGroup_->setTitle(Load(kSelectDevice));
    deviceLabel_->setText(Load(kVideoDevice));
    audio_->setText(Load(kAudioSetting));
    modeGroup_->setTitle(Load(kPhotoMode));
    direct_->setText(Load(kDirect));
    delayed_->setText(Load(kAfter5Seconds));
    nameGroup_->setTitle(Load(kFileName));
    dateSerial_->setText(Load(kDateSerial));
    custom_->setText(Load(kCustomize));
    customName_->setAccessibleName(Load(kCustomNameField));
    folderGroup_->setTitle(Load(kFileLocation));
    change_->setText(Load(kChange));
    resolutionGroup_->setTitle(Load(kResolution));
    rateGroup_->setTitle(Load(kFrameRate));
    rateUnit_->setText(Load(kFramesPerSecond));
    share_->setText(Load(kShareCamera));
    shareWhyNot_->setText(Load(kCannotShare));
    // setItemText keeps each list's selection.
    const QString word = Load(kDefault);
    resolutions_->setItemText(kDefaultResolutionItem,
                              ResolutionItems(word)[kDefaultResolutionItem]);
    rates_->setItemText(kDefaultRateItem, RateItems(word)[kDefaultRateItem]);
    OstPageControls::FitTexts(this);
}

void COstUI_Orbit_GeneralPage::OnCustomNameChanged() {
    // Putting the text back reports a change of its own, which this loop already covers.
    if (filtering_)
        return;
    filtering_ = true;
    QString text = customName_->text();
    for (;;) {
        const auto bad = std::find_if(text.begin(), text.end(), [](QChar c) {
            return ForbiddenNameCharacters().contains(c);
        });
        if (bad == text.end())
            break;
        const int end = customName_->hasSelectedText()
                            ? customName_->selectionStart() + customName_->selectedText().size()
                            : customName_->cursorPosition();
        text.remove(static_cast<int>(bad - text.begin()), 1);
        customName_->setText(text);
        customName_->setCursorPosition(std::max(0, end - 1));
    }
    filtering_ = false;
    Changed();
}

void COstUI_Orbit_GeneralPage::OnChangeFolder() {
    if (!folderChooser_)
        return;
    QString chosen = folderChooser_(this, OstPageText::Load(kSelectPath), folder_->Path());
    if (chosen.isEmpty())
        return;
    // The label shows the folder as the store keeps it, ending in "/"; a choice of the same
    // folder is no change.
    if (!chosen.endsWith(u'/'))
        chosen += u'/';
    if (chosen == folder_->Path())
        return;
    folder_->SetPath(chosen);
    Changed();
}

void COstUI_Orbit_GeneralPage::OnAudioSettings() {
    OstDesktopSettings::OpenSoundInputSettings(this);
}

void COstUI_Orbit_GeneralPage::Changed() {
    if (!filling_)
        SetModified(true);
}

bool COstUI_Orbit_GeneralPage::OnApply() {
    if (IsCreated() && record_ != nullptr) {
        SettingsRecord& r = *record_;
        r.DeviceName = devices_->currentText();
        r.SnapshotMode = direct_->isChecked() ? 0 : 1;
        r.FileNameMode = dateSerial_->isChecked() ? 0 : 1;
        r.CustomDefineName = customName_->text();
        // No folder stays no folder: a lone "/" would send the photos to the root.
        QString folder = folder_->Path();
        if (!folder.isEmpty() && !folder.endsWith(u'/'))
            folder += u'/';
        r.PicturesFolder = folder;
        const QString resolution = resolutions_->currentIndex() == kDefaultResolutionItem
                                       ? kDefaultResolution
                                       : resolutions_->currentText();
        if (resolution != r.Resolution) {
            r.Resolution = resolution;
            cameraRestartNeeded = true;
        }
        const QString rate =
            rates_->currentIndex() == kDefaultRateItem ? kDefaultRate : rates_->currentText();
        if (rate != r.Frame)
            r.Frame = rate;
        sharingApplied = share_->isEnabled();
        sharingWanted = share_->isChecked();
    }
    return COstUI_PropertyPage::OnApply();
}
