#pragma once

#include <QRect>
#include <QSize>

#include <array>

// The five faces of a skinned button (":/bitmaps/<n>"): normal, pressed, under the pointer,
// disabled, and the mask whose black part takes clicks.
struct OstSkinButton {
    int normal, down, over, disabled, mask;
};

// The pictures the main dialog is painted with, by number: the dialog, the picture generator
// and the picture sheet all take them from here.
namespace OstSkin {
inline constexpr int ProgramIcon = 146; // ":/icons/146/<side>"
inline constexpr OstSkinButton Minimise{151, 152, 153, 154, 156};
inline constexpr OstSkinButton SizeMenu{157, 158, 159, 160, 162};
inline constexpr OstSkinButton Close{163, 164, 165, 166, 168};
inline constexpr OstSkinButton ViewPhoto{169, 170, 171, 172, 174};
inline constexpr OstSkinButton SendPhoto{175, 176, 177, 178, 180};
inline constexpr OstSkinButton TakePhoto{181, 182, 183, 184, 186};
// Open Folder and Intro.; Setting; Send Software: text buttons.
inline constexpr OstSkinButton WideText{187, 188, 189, 190, 192};
inline constexpr OstSkinButton Setting{193, 194, 195, 196, 198};
inline constexpr OstSkinButton SendSoftware{199, 200, 201, 202, 204};
inline constexpr OstSkinButton ShowList{205, 206, 207, 208, 210};
inline constexpr OstSkinButton HideList{211, 212, 213, 214, 216};
inline constexpr OstSkinButton ZoomReset{217, 218, 219, 220, 222};
inline constexpr OstSkinButton Mirror{223, 224, 225, 226, 228};
// Mirror's normal face while the picture is mirrored.
inline constexpr int MirrorOn = 227;
inline constexpr int ZoomChannel = 229;
inline constexpr int ZoomThumb = 230;
inline constexpr int ZoomThumbDragged = 231;
// Beside the picture: a photo taken, sent, received.
inline constexpr int KindTaken = 232;
inline constexpr int KindSent = 233;
inline constexpr int KindReceived = 234;
// Seven 16 x 16 contact states on yellow.
inline constexpr int ContactStates = 245;
} // namespace OstSkin

// Where the main dialog's controls go for one preview size, in pixels of its client area.
// Sizes are the five commands of the "Preview Window Size" menu.
struct OstMainDlgLayout {
    enum Size : int {
        Size640 = 32782,
        Size480 = 32783,
        Size400 = 32784,
        Size320 = 32785,
        Size240 = 32786,
    };
    // The menu's title item; it does nothing.
    static constexpr int MenuTitle = 32781;

    int sizeCommand = 0;
    // Background pictures (":/JPG/<n>") and their sizes, with the list shown and hidden.
    int backgroundShown = 0;
    int backgroundHidden = 0;
    QSize backgroundShownSize;
    QSize backgroundHiddenSize;

    QRect preview;   // 1004
    QRect picture;   // 1005
    QRect eventList; // 1000
    std::array<int, 6> columnWidths{};
    QRect sendToLabel; // 1010
    QRect friendCombo; // 1002
    QRect kindIcon;    // 1006
    QRect fileName;    // 1008
    QRect fromTo;      // 1009
    QRect minimise;    // 1013
    QRect sizeMenu;    // 1014
    QRect close;       // 1015
    QRect takePhoto;   // 1016
    QRect sendPhoto;   // 1017
    QRect viewPhoto;   // 1018
    QRect mirror;      // 1024
    QRect mirrorLabel; // 1027
    // The "Location:" label (1028) and the folder label (1011) share this row.
    QRect locationRow;
    QRect openFolder; // 1019
    QRect intro;      // 7000
    // "Setting" (1020), "Send Software" (1021) and the list toggle (1022) sit on the lower row
    // while the list is shown and move up when it is hidden.
    QRect settingShown, settingHidden;
    QRect sendSoftwareShown, sendSoftwareHidden;
    QRect listToggleShown, listToggleHidden;

    // The same in every size.
    static constexpr QRect PreviewLabel{72, 64, 100, 14}; // 1026
    static constexpr QRect ZoomEdit{11, 102, 30, 13};     // 1001
    static constexpr QRect ZoomSlider{10, 118, 30, 70};   // 1003
    static constexpr QRect ZoomReset{12, 190, 28, 18};    // 1023

    // The layout of a size command; null for anything else.
    static const OstMainDlgLayout* ForSize(int sizeCommand);
    static const std::array<int, 5>& Sizes();
};
