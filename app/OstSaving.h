#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

class OstEventListModel;
class OstSettings;
struct SettingsRecord;

// When the settings and the events are written: soon after each change that matters, at most
// once a second however many changes come, and once more at the end. A write that fails is
// told to the user once, and again only after one has succeeded. UI thread only.
class OstSaving final {
public:
    struct Parts {
        OstSettings& settings;
        // The program's working copy of the settings.
        const SettingsRecord& working;
        OstEventListModel& events;
        // The settings sheet is open: its choices are not confirmed yet.
        std::function<bool()> sheetOpen;
        // Called before every write, for the windows to hand over what they hold.
        std::function<void()> beforeWrite;
        std::function<void()> tellFailure;
    };

    explicit OstSaving(Parts parts, int intervalMs = 1000);

    void Schedule();
    // The events alone, now, as they stand.
    void WriteEvents();
    // The end of the program: the transfers still running end in the rows too, and the working
    // settings are stored whatever sheet is open. A failure is only logged: a box could hold up
    // a session that is ending.
    void Final();
    bool Pending() const { return timer_.isActive(); }

private:
    void Now();
    bool Write(bool ending);

    Parts parts_;
    const int intervalMs_;
    QTimer timer_;
    QElapsedTimer last_;
    bool failureTold_ = false;
};
