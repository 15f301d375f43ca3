#include "OstMainDlgLayout.h"

namespace {

struct Row {
    int size;
    int bgShown, bgHidden, bgWidth, bgShownHeight, bgHiddenHeight;
    QRect preview, picture, list;
    std::array<int, 6> columns;
    int sendToX, sendToY, comboX, comboWidth;
    int iconX;
    int textX, textWidth;
    int minimiseX, sizeMenuX, closeX;
    int takeX, takeY, sendX, sendY, viewX, viewY;
    int mirrorY, mirrorLabelX, mirrorLabelY;
    int locationY, locationWidth;
    int openFolderX, introX, rowY;
    int settingX, sendSoftwareX, upperY;
    int toggleX, toggleShownY, toggleHiddenY;
};

// Pixel positions of the skin; each background picture was drawn for exactly these places.
// clang-format off
constexpr Row kRows[] = {
    {OstMainDlgLayout::Size640, 269, 270, 1391, 895, 658, QRect(45, 82, 638, 479),
     QRect(706, 81, 641, 482), QRect(46, 612, 1297, 219), {130, 160, 320, 290, 180, 180},
     711, 579, 767, 540, 710, 732, 613, 1326, 1342, 1358, 344, 572, 1311, 572, 1347, 525,
     520, 12, 548, 845, 640, 1054, 1126, 843, 1198, 1255, 607, 1358, 845, 609},
    {OstMainDlgLayout::Size480, 267, 268, 1070, 748, 559, QRect(45, 82, 477, 359),
     QRect(545, 80, 481, 362), QRect(46, 492, 977, 191), {100, 120, 240, 220, 140, 140},
     551, 460, 607, 380, 550, 572, 455, 1005, 1021, 1037, 256, 453, 991, 453, 1026, 405,
     400, 12, 428, 697, 480, 734, 806, 695, 878, 935, 507, 1038, 697, 509},
    {OstMainDlgLayout::Size400, 265, 266, 910, 635, 478, QRect(45, 82, 397, 298),
     QRect(464, 81, 401, 302), QRect(46, 432, 817, 141), {85, 130, 200, 170, 105, 105},
     472, 397, 528, 295, 470, 492, 373, 845, 861, 877, 214, 390, 825, 390, 865, 345,
     340, 12, 368, 587, 400, 574, 646, 585, 718, 775, 426, 877, 587, 428},
    {OstMainDlgLayout::Size320, 263, 264, 750, 576, 418, QRect(45, 82, 318, 239),
     QRect(385, 81, 321, 241), QRect(46, 372, 657, 141), {65, 80, 160, 145, 90, 90},
     391, 338, 447, 221, 390, 412, 293, 685, 701, 717, 178, 331, 673, 331, 706, 285,
     280, 12, 308, 527, 320, 413, 485, 525, 557, 614, 368, 717, 525, 370},
    {OstMainDlgLayout::Size240, 261, 262, 591, 514, 361, QRect(45, 82, 239, 179),
     QRect(305, 81, 241, 181), QRect(46, 312, 498, 138), {50, 60, 120, 110, 70, 70},
     311, 278, 367, 136, 310, 332, 215, 528, 544, 560, 136, 271, 514, 274, 546, 225,
     217, 11, 246, 464, 206, 254, 326, 462, 398, 455, 309, 558, 464, 309},
};
// clang-format on

OstMainDlgLayout Make(const Row& r) {
    OstMainDlgLayout l;
    l.sizeCommand = r.size;
    l.backgroundShown = r.bgShown;
    l.backgroundHidden = r.bgHidden;
    l.backgroundShownSize = QSize(r.bgWidth, r.bgShownHeight);
    l.backgroundHiddenSize = QSize(r.bgWidth, r.bgHiddenHeight);
    l.preview = r.preview;
    l.picture = r.picture;
    l.eventList = r.list;
    l.columnWidths = r.columns;
    l.sendToLabel = QRect(r.sendToX, r.sendToY, 56, 24);
    l.friendCombo = QRect(r.comboX, r.sendToY, r.comboWidth, 24);
    l.kindIcon = QRect(r.iconX, 58, 18, 18);
    l.fileName = QRect(r.textX, 60, r.textWidth, 16);
    l.fromTo = QRect(r.textX, 42, r.textWidth, 16);
    l.minimise = QRect(r.minimiseX, 8, 16, 18);
    l.sizeMenu = QRect(r.sizeMenuX, 8, 16, 18);
    l.close = QRect(r.closeX, 8, 16, 18);
    l.takePhoto = QRect(r.takeX, r.takeY, 62, 38);
    l.sendPhoto = QRect(r.sendX, r.sendY, 32, 32);
    l.viewPhoto = QRect(r.viewX, r.viewY, 30, 32);
    l.mirror = QRect(12, r.mirrorY, 28, 28);
    l.mirrorLabel = QRect(r.mirrorLabelX, r.mirrorLabelY, 30, 16);
    l.locationRow = QRect(44, r.locationY, r.locationWidth, 16);
    l.openFolder = QRect(r.openFolderX, r.rowY, 72, 20);
    l.intro = QRect(r.introX, r.rowY, 72, 20);
    l.settingShown = QRect(r.settingX, r.rowY, 52, 20);
    l.settingHidden = QRect(r.settingX, r.upperY, 52, 20);
    l.sendSoftwareShown = QRect(r.sendSoftwareX, r.rowY, 90, 20);
    l.sendSoftwareHidden = QRect(r.sendSoftwareX, r.upperY, 90, 20);
    l.listToggleShown = QRect(r.toggleX, r.toggleShownY, 14, 14);
    l.listToggleHidden = QRect(r.toggleX, r.toggleHiddenY, 14, 14);
    return l;
}

const std::array<OstMainDlgLayout, 5>& Table() {
    static const std::array<OstMainDlgLayout, 5> table = {
        Make(kRows[0]), Make(kRows[1]), Make(kRows[2]), Make(kRows[3]), Make(kRows[4])};
    return table;
}

} // namespace

const OstMainDlgLayout* OstMainDlgLayout::ForSize(int sizeCommand) {
    for (const OstMainDlgLayout& layout : Table())
        if (layout.sizeCommand == sizeCommand)
            return &layout;
    return nullptr;
}

const std::array<int, 5>& OstMainDlgLayout::Sizes() {
    static const std::array<int, 5> sizes = {Size640, Size480, Size400, Size320, Size240};
    return sizes;
}
