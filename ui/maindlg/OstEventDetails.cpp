#include "OstEventDetails.h"

#include "CColorStatic.h"
#include "COstUI_StaticPicture.h"
#include "OstBitmap.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstMainDlgSkin.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

enum : int {
    IDC_PICTURE = 1005,
    IDC_KIND_ICON = 1006,
    IDC_FILE_NAME = 1008,
    IDC_FROM_TO = 1009,
    IDC_DELETED_TEXT = 7001,
};

constexpr int kFromText = 318;
constexpr int kToText = 319;
constexpr int kDeletedText = 454;

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

CColorStatic* Label(QWidget& dialog, int id) {
    auto* label = new CColorStatic(&dialog);
    label->setObjectName(QString::number(id));
    label->SetTransparent(true);
    return label;
}

} // namespace

OstEventDetails::OstEventDetails(QWidget& dialog, CColorStatic& folderLine)
    : QObject(&dialog), dialog_(dialog), folder_(folderLine) {
    picture_ = new COstUI_StaticPicture(&dialog);
    picture_->setObjectName(QString::number(IDC_PICTURE));
    picture_->SetTransparent(true);
    kindIcon_ = new QLabel(&dialog);
    kindIcon_->setObjectName(QString::number(IDC_KIND_ICON));
    fileName_ = Label(dialog, IDC_FILE_NAME);
    fromTo_ = Label(dialog, IDC_FROM_TO);
    deletedText_ = Label(dialog, IDC_DELETED_TEXT);
    deletedText_->setWordWrap(true);
    deletedText_->hide();
    for (CColorStatic* line : {fileName_, fromTo_}) {
        line->setFont(dialog.font());
        line->setTextFormat(Qt::PlainText);
    }
}

void OstEventDetails::Show(const EventRecord& record) {
    const int loaded = picture_->LoadFromFile(record.FullPath(), true);
    if (loaded == 0)
        return;
    if (loaded > 0) {
        picture_->show();
        deletedText_->hide();
        emit viewable(true);
    } else {
        emit viewable(false);
        // A picture still arriving has no file yet; that is no reason to call it deleted.
        if (!(record.EventType == EventRecord::Received &&
              record.Status == EventRecord::Transferring)) {
            picture_->hide();
            deletedText_->show();
        }
    }
    fileName_->setText(record.EventName);
    QString folder = record.EventFolder;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    folder_.setText(folder);
    shownType_ = record.EventType;
    shownFriend_ = record.FriendID;
    UpdateFromToLine();
    const int icon = record.EventType == EventRecord::Sent       ? OstSkin::KindSent
                     : record.EventType == EventRecord::Received ? OstSkin::KindReceived
                                                                 : OstSkin::KindTaken;
    kindIcon_->setPixmap(OstBitmap::Load(icon, dialog_.devicePixelRatioF()));
    dialog_.update();
}

void OstEventDetails::Clear() {
    picture_->LoadFromFile(QString(), false);
    fileName_->clear();
    fromTo_->clear();
    shownType_ = -1;
    shownFriend_.clear();
    emit viewable(false);
    dialog_.update();
}

void OstEventDetails::Forget() {
    picture_->LoadFromFile(QString(), false);
}

void OstEventDetails::Renamed(const QString& oldPath, const QString& newPath, const QString& newName) {
    if (picture_->Path() != oldPath)
        return;
    fileName_->setText(newName);
    // The shown picture now lives under the new name; View Photo must open that one.
    picture_->LoadFromFile(newPath, false);
}

void OstEventDetails::UpdateFromToLine() {
    const int word = shownType_ == EventRecord::Sent       ? kToText
                     : shownType_ == EventRecord::Received ? kFromText
                                                           : 0;
    fromTo_->setText(word ? Text(word) + QStringLiteral("  ") + shownFriend_ : shownFriend_);
}

void OstEventDetails::Place(const OstMainDlgLayout& l) {
    picture_->setGeometry(l.picture);
    picture_->SetMaxSize(l.picture.size());
    if (picture_->IsLoaded())
        picture_->UpdateImage();
    kindIcon_->setGeometry(l.kindIcon);
    fileName_->setGeometry(l.fileName);
    fromTo_->setGeometry(l.fromTo);
    PlaceDeletedText();
}

void OstEventDetails::PlaceDeletedText() {
    const QRect place = OstMainDlgSkin::TextPlaceIn(picture_->geometry());
    deletedText_->setGeometry(place);
    const bool oneLine =
        QFontMetrics(deletedText_->font()).horizontalAdvance(deletedText_->text()) <= place.width();
    deletedText_->setAlignment((oneLine ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void OstEventDetails::ApplyTexts() {
    deletedText_->setText(Text(kDeletedText));
    PlaceDeletedText();
    if (shownType_ == EventRecord::Sent || shownType_ == EventRecord::Received)
        UpdateFromToLine();
}

bool OstEventDetails::PictureShown() const {
    return picture_->IsLoaded();
}

QString OstEventDetails::PicturePath() const {
    return picture_->Path();
}

QWidget* OstEventDetails::PictureArea() const {
    return picture_;
}
