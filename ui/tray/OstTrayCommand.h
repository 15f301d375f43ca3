#pragma once

// The codes the tray sends to the controller; they keep the numbers the controller's
// command table is written against.
enum OstTrayCommand : int {
    TRAYCMD_OPEN_MAIN = 32868,
    TRAYCMD_REMOTE_START = 32869,
    TRAYCMD_REMOTE_STOP = 32870,
    TRAYCMD_REMOTE_SETTING = 32871,
    TRAYCMD_AUDIO_SETTING = 32872,
    TRAYCMD_ABOUT = 32873,
};
