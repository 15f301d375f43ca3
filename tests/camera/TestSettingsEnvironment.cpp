#include <QTemporaryDir>
#include <QtGlobal>

// The camera's saved values go to the user's settings; tests keep theirs in a folder of their
// own, set before anything reads the settings.
static const bool kPrivateSettings = [] {
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    return true;
}();
