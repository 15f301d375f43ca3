#pragma once

// Commands of the main dialog to the controller, with the numbers the controller's message
// map has always used. The argument of each travels beside the code (see uiCommand of
// COstUI_Orbit_MainDlg): a text for OPEN_FOLDER and SEND_SOFTWARE, a percentage for SET_ZOOM,
// the transfer id for CANCEL_TRANSFER, nothing for the others.
enum OstUiCommand : int {
    UICMD_TAKE_PHOTO = 32968,
    UICMD_SEND_PHOTO = 32969,
    UICMD_OPEN_FOLDER = 32971,
    UICMD_OPEN_SETTINGS = 32972,
    UICMD_SEND_SOFTWARE = 32973,
    UICMD_SET_ZOOM = 32974,
    UICMD_TOGGLE_MIRROR = 32975,
    UICMD_CANCEL_TRANSFER = 32977,
    // Queued, so that the video is fitted once the new layout is in place.
    UICMD_UPDATE_VIDEO_POSITION = 32978,
    UICMD_DIALOG_CLOSED = 32979,
    UICMD_REFRESH_FRIENDS = 32980,
    UICMD_EVENT_LIST_EMPTIED = 32981,
};
