#pragma once

#include "EventRecord.h"

#include <QObject>
#include <QString>

class CColorStatic;
class COstUI_StaticPicture;
class QLabel;
class QRect;
class QWidget;
struct OstMainDlgLayout;

// The selected event beside the preview: its picture, or a note that the file was deleted in
// its place; the picture of its kind, its name, whom it went to or came from; and, in the
// folder line, where it lives.
class OstEventDetails : public QObject {
    Q_OBJECT
public:
    // The controls are made as children of the dialog, named by their control numbers; the
    // folder line is the dialog's.
    OstEventDetails(QWidget& dialog, CColorStatic& folderLine);

    void Show(const EventRecord& record);
    void Clear();
    // The shown file may be gone: the next Show reads it afresh.
    void Forget();
    // A photo got a new name: shown under it when it is the one shown.
    void Renamed(const QString& oldPath, const QString& newPath, const QString& newName);

    void Place(const OstMainDlgLayout& layout);
    void ApplyTexts();
    // A picture is shown, from this file.
    bool PictureShown() const;
    QString PicturePath() const;
    // The area the picture is shown in, while it is.
    QWidget* PictureArea() const;

signals:
    // Whether View Photo has a picture to open.
    void viewable(bool yes);

private:
    void PlaceDeletedText();
    void UpdateFromToLine();

    QWidget& dialog_;
    CColorStatic& folder_;
    COstUI_StaticPicture* picture_ = nullptr;
    QLabel* kindIcon_ = nullptr;
    CColorStatic* fileName_ = nullptr;
    CColorStatic* fromTo_ = nullptr;
    CColorStatic* deletedText_ = nullptr;
    // The shown event's kind and peer, for the From/To line after a language change.
    int shownType_ = -1;
    QString shownFriend_;
};
